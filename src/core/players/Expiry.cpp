#include "players/Expiry.h"

#include "app/Formats.h"

namespace expiry {

namespace {

int digit(QChar c) { return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1; }

// The form every saved date has, read without the general parser: the lists read one date per
// record of the archive.
QDate canonical(const QString& text)
{
    if (text.size() != 10 || text.at(2) != u'/' || text.at(5) != u'/')
        return {};
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6};
    const int lengths[3] = {2, 2, 4};
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < lengths[part]; ++i) {
            const int d = digit(text.at(starts[part] + i));
            if (d < 0)
                return {};
            parts[part] = parts[part] * 10 + d;
        }
    }
    return QDate(parts[2], parts[1], parts[0]);  // invalid for a day the month does not have
}

}  // namespace

QDate date(const QString& dateText)
{
    const QDate quick = canonical(dateText);
    return quick.isValid() ? quick : formats::dateFromText(dateText);
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
