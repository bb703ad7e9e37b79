#include "app/Formats.h"

#include <QLocale>

namespace formats {

void install()
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(dateFormat) : QString();
}

QDate dateFromText(const QString& text)
{
    return QDate::fromString(text.trimmed(), dateFormat);
}

}  // namespace formats
