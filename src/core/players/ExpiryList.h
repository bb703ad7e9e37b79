#pragma once

#include "output/ListRows.h"
#include "output/PackedRows.h"

#include <QDate>
#include <QString>

#include <memory>
#include <vector>

// The players whose membership card or medical certificate has expired, or is about to, as the
// two expiry lists and the command line show them.
namespace expiryList {

enum class Kind { Cards, Certificates };

// The players listed, as the screens show them: sorted by their rows as every list, and read
// compactly for large archives. A failure keeps the rows read before it.
std::shared_ptr<PackedRows> rows(const QString& path, Kind kind, const QDate& today, int horizonDays);

// The list as the command line writes it: the screens' rows, taken by date.
struct Listed {
    std::shared_ptr<PackedRows> rows;  // as rows() gives them; rows->error() tells a failure
    std::vector<qsizetype> byDate;     // row numbers, the oldest date first, equal dates in list order
    int unreadable = 0;                // records skipped because their tested date is not a date
};

// Reads the player archive at `path` (created empty when missing): every record whose tested
// date has expired by `today`, or expires within `horizonDays` of it. A record whose date cannot
// be read is counted and skipped; the records after it are still examined.
Listed listed(const QString& path, Kind kind, const QDate& today, int horizonDays);

// The printed list's title; a horizon says how far ahead it looks.
QString printTitle(Kind kind, int horizonDays);

}  // namespace expiryList
