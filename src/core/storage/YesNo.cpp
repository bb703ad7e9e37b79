#include "storage/YesNo.h"

#include "text/TextRules.h"

#include "storage/TextField.h"

namespace {
const QString YesText = QStringLiteral("S\u00EC");
const QString NoText = QStringLiteral("No");
}  // namespace

YesNo yesNoFromText(const QString& text)
{
    const QString mark = trimControls(text);
    if (mark == YesText)
        return YesNo::Yes;
    if (mark == NoText)
        return YesNo::No;
    return YesNo::Neither;
}

QString yesNoText(bool yes)
{
    return yes ? YesText : NoText;
}
