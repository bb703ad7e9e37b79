#include "app/Formats.h"

#include <QLocale>

#include <algorithm>
#include <iterator>

namespace formats {

void install()
{
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);
}

bool writeDate(const QDate& date, char16_t (&out)[10])
{
    // By hand: the locale's formatter is slow.
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1 || year > 9999)
        return false;
    const char16_t text[10] = {char16_t(u'0' + day / 10),  char16_t(u'0' + day % 10),         u'/',
                               char16_t(u'0' + month / 10), char16_t(u'0' + month % 10),      u'/',
                               char16_t(u'0' + year / 1000), char16_t(u'0' + year / 100 % 10), char16_t(u'0' + year / 10 % 10),
                               char16_t(u'0' + year % 10)};
    std::copy(std::begin(text), std::end(text), std::begin(out));
    return true;
}

QString dateText(const QDate& date)
{
    char16_t text[10];
    if (writeDate(date, text))
        return QString(reinterpret_cast<const QChar*>(text), 10);
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
