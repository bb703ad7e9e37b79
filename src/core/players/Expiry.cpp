#include "players/Expiry.h"

#include "app/Formats.h"
#include "text/TextRules.h"

namespace expiry {

QDate date(const QString& dateText) { return formats::dateFromText(dateText); }

QDate date(QByteArrayView stored) { return formats::dateFromText(trimControls(stored)); }

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
