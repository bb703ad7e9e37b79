#include "text/TextRules.h"

#include <algorithm>

QStringView trimControls(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.sliced(first, last - first);
}

QString trimControls(const QString& text)
{
    const QStringView trimmed = trimControls(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QByteArrayView trimControls(QByteArrayView bytes)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!bytes.isEmpty() && blank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && blank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

QString upperAsciiLetters(const QString& text)
{
    // Most texts are in capitals already: they are shared, not copied.
    const auto lower = [](QChar c) { return c.unicode() >= u'a' && c.unicode() <= u'z'; };
    const auto first = std::find_if(text.cbegin(), text.cend(), lower);
    if (first == text.cend())
        return text;
    QString result = text;
    for (auto c = result.begin() + (first - text.cbegin()); c != result.end(); ++c) {
        if (lower(*c))
            *c = QChar(char16_t(c->unicode() - 32));
    }
    return result;
}

