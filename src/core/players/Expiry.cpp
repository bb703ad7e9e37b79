#include "players/Expiry.h"

#include "app/Formats.h"
#include "storage/Cp1252.h"
#include "text/TextRules.h"

#include <optional>

namespace expiry {

namespace {

char16_t unit(QChar c) { return c.unicode(); }
char16_t unit(char c) { return char16_t(quint8(c)); }

int digit(char16_t c) { return c >= u'0' && c <= u'9' ? c - u'0' : -1; }

// The form every saved date has, read without the general parser: the lists read one date per
// record of the archive. `text` holds characters or stored bytes of the same values. Nothing when
// the text is not in that form; a text in that form is a date or, with no such day, none at all
// (the general parser would not read it either).
template <typename Text>
std::optional<QDate> canonical(const Text& text)
{
    if (text.size() != 10 || unit(text[2]) != u'/' || unit(text[5]) != u'/')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6};
    const int lengths[3] = {2, 2, 4};
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < lengths[part]; ++i) {
            const int d = digit(unit(text[starts[part] + i]));
            if (d < 0)
                return std::nullopt;
            parts[part] = parts[part] * 10 + d;
        }
    }
    return QDate(parts[2], parts[1], parts[0]);  // invalid for a day the month does not have
}

}  // namespace

QDate date(const QString& dateText)
{
    const std::optional<QDate> quick = canonical(QStringView(dateText));
    return quick ? *quick : formats::dateFromText(dateText);
}

QDate date(QByteArrayView stored)
{
    const QByteArrayView trimmed = trimControls(stored);
    const std::optional<QDate> quick = canonical(trimmed);
    return quick ? *quick : formats::dateFromText(cp1252::decode(trimmed));
}

Status status(const QString& dateText, const QDate& today, int horizonDays)
{
    return status(date(dateText), today, horizonDays);
}

Status status(const QDate& expires, const QDate& today, int horizonDays)
{
    if (!expires.isValid())
        return Status::Unreadable;
    // Day numbers rather than today.addDays(horizon): no horizon is too large to compare.
    const qint64 daysLeft = expires.toJulianDay() - today.toJulianDay();
    if (daysLeft < 0)
        return Status::Expired;
    if (horizonDays > 0 && daysLeft <= horizonDays)
        return Status::Expiring;
    return Status::Fine;
}

}  // namespace expiry
