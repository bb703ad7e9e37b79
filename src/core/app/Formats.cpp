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

namespace {

char16_t unit(QChar c) { return c.unicode(); }
char16_t unit(char c) { return char16_t(uchar(c)); }

int digit(char16_t c) { return c >= u'0' && c <= u'9' ? c - u'0' : -1; }

// The form every saved date has, read without the general parser: the lists read one date per
// record of the archive, and sort by them. `Text` is a QString or the stored bytes.
template <typename Text>
QDate canonical(const Text& text)
{
    if (text.size() != 10 || unit(text.at(2)) != u'/' || unit(text.at(5)) != u'/')
        return {};
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6};
    const int lengths[3] = {2, 2, 4};
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < lengths[part]; ++i) {
            const int d = digit(unit(text.at(starts[part] + i)));
            if (d < 0)
                return {};
            parts[part] = parts[part] * 10 + d;
        }
    }
    return QDate(parts[2], parts[1], parts[0]);  // invalid for a day the month does not have
}

}  // namespace

QDate dateFromText(const QString& text)
{
    const QDate quick = canonical(text);
    return quick.isValid() ? quick : QDate::fromString(text.trimmed(), dateFormat);
}

QDate dateFromText(QByteArrayView stored)
{
    const QDate quick = canonical(stored);
    return quick.isValid() ? quick : dateFromText(QString::fromLatin1(stored));
}

}  // namespace formats
