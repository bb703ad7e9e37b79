#pragma once

#include "output/ListRows.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Reading an archive for a list, a search, an export or the standings: one pass over the records
// in file order. This is the only place where those screens meet archive failures; a failure
// ends the pass, keeps what was read before it and is reported as text, never thrown.
namespace archiveScan {

struct Result {
    QList<ListRow> rows;
    QString error;  // empty when the whole file was read
    bool failed() const { return !error.isEmpty(); }
};

// Opens the archive (creating it empty when missing, as every list does) and hands each record
// with its 1-based position to `visit`. Returns the failure's text, empty when all went well.
// The records are seen in place in the mapped file: only the bytes a visitor reads are ever
// touched, and nothing is allocated per record, so a visitor should read just the fields it needs.
QString visit(const QString& path, int recordSize,
              const std::function<void(qint64 position, QByteArrayView record)>& visit);

// The row of a record, or nothing to leave the record out of the list.
using RowRule = std::function<std::optional<QString>(QByteArrayView record)>;

// The rows of the records `rule` accepts, in file order, each with its record's position.
Result rows(const QString& path, int recordSize, const RowRule& rule);

// The same for a record type: `accept` (all records when empty) and `build` see the decoded record.
template <typename Record>
Result rows(const QString& path, const std::function<bool(const Record&)>& accept,
            const std::function<QString(const Record&)>& build)
{
    return rows(path, Record::Size, [&](QByteArrayView bytes) -> std::optional<QString> {
        const Record record = Record::fromBytes(bytes);
        if (accept && !accept(record))
            return std::nullopt;
        return build(record);
    });
}

}  // namespace archiveScan
