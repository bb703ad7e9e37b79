#pragma once

#include "output/ListRows.h"

#include <QDate>
#include <QList>
#include <QString>

// The players whose membership card or medical certificate has expired, or is about to, as the
// two expiry lists and the command line show them.
namespace expiryList {

enum class Kind { Cards, Certificates };

struct Entry {
    ListRow row;  // the list's row and the record's position
    QDate date;   // the tested date
};

struct Result {
    QList<Entry> entries;  // in file order
    int unreadable = 0;    // records skipped because their tested date is not a date
    QString error;         // empty when the whole archive was read
    bool failed() const { return !error.isEmpty(); }
};

// Reads the player archive at `path` (created empty when missing): every record whose tested
// date has expired by `today`, or expires within `horizonDays` of it. A record whose date cannot
// be read is counted and skipped; the records after it are still examined. A failure of the file
// ends the reading and keeps the entries read before it.
Result read(const QString& path, Kind kind, const QDate& today, int horizonDays);

// The list's row, and the player record field whose date it tests (its index in the record).
const listRows::Layout& layout(Kind kind);
std::size_t testedField(Kind kind);

// The printed list's title; a horizon says how far ahead it looks.
QString printTitle(Kind kind, int horizonDays);

// The entries by date, the oldest first; entries of the same date in list order.
QList<Entry> byDate(const QList<Entry>& entries);

}  // namespace expiryList
