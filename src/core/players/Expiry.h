#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

// When a membership card or a medical certificate counts as expired, or as about to expire.
namespace expiry {

enum class Status {
    Expired,     // today is later than the date
    Expiring,    // not expired, and the date falls within the horizon
    Fine,
    Unreadable,  // the text is not a dd/mm/yyyy date (empty, another separator, no such day)
};

// `dateText` is the stored date field as it is; `horizonDays` (0 or more) is how many days ahead
// count as "about to expire". With no horizon nothing is about to expire: a card expiring today
// is expired from tomorrow on.
Status status(const QString& dateText, const QDate& today, int horizonDays);
// The same for a date already read from its text (invalid: unreadable).
Status status(const QDate& expires, const QDate& today, int horizonDays);

// The date a field holds; invalid when it holds none.
QDate date(const QString& dateText);
// The same for a field's stored Windows-1252 bytes: the lists read one date per record of the
// archive, and most are read without making a text.
QDate date(QByteArrayView stored);

// Whether a record with this status belongs on an expiry list.
inline bool listed(Status status) { return status == Status::Expired || status == Status::Expiring; }

}  // namespace expiry
