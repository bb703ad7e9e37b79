#pragma once

#include "import/ColumnMatch.h"
#include "import/ImportTarget.h"
#include "import/Sheet.h"
#include "storage/RecordFile.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What importing a spreadsheet into an archive will do, worked out before anything is written:
// the new records, the records already in the archive that the rows update, the rows skipped as
// already there, the rows rejected and the warnings, each with its row number. Then all of it
// goes into the archive in one locked write, or none of it.
namespace importPlan {

enum class Duplicates { Skip, Update };

struct Issue {
    int row = 0;  // as the spreadsheet numbers it
    QString text;
};

struct Plan {
    QByteArray additions;  // the new records packed (RecordFormat::packInto), in the order of their rows
    int added = 0;
    QStringList additionKeys;        // each new record's key, in the same order
    QList<QList<bool>> additionGiven;  // the fields its rows gave, in the same order
    QList<RecordFile::Change> updates;  // each checked against the record as it was read
    int skipped = 0;  // rows whose record is already in the archive (and, updating, unchanged)
    QList<Issue> rejected;
    QList<Issue> warnings;
    // What commit() needs to check the plan again against the archive as it is under the lock.
    QList<int> key;  // the key fields
    Duplicates duplicates = Duplicates::Skip;
    qint64 seenSize = -1;  // the archive as analysed (-1: missing)
    qint64 seenModified = 0;  // its time of last change, in milliseconds

    int updated() const { return int(updates.size()); }
    bool writesSomething() const { return added > 0 || !updates.isEmpty(); }
};

// The rows after the first (the header) of `sheet`, with the columns filling the fields
// `mapping` gives. Reads the archive at `archivePath` for the records already there, without
// creating it when it is missing. Throws ArchiveError when it cannot be read.
Plan analyse(const sheetImport::Archive& archive, const sheetImport::Sheet& sheet, const columnMatch::Mapping& mapping,
             Duplicates duplicates, const QString& archivePath, const QDate& today);

// The warning of a row that matches a withdrawn record: it is matched (updated or skipped, never
// added again) and stays withdrawn.
QString withdrawnMatchWarning(qint64 position, const QDate& day);

// Writes the plan in one locked write: all of it, or, on any failure, nothing. When another
// station wrote the archive since the plan was made, the plan is first checked again under the
// lock against the archive as it then is: a new record whose key is now there is skipped (or,
// updating, becomes an update of it), an update the archive already holds is skipped. `plan`
// then tells what was written. Returns the position of the first record it added or, adding
// none, of the first it updated. Throws ArchiveError, RecordChanged when another station changed
// a record to be updated since it was read, ArchiveBusy when another station keeps the archive
// locked; `plan` is then as it was.
qint64 commit(Plan& plan, const QString& archivePath, const RecordFormat& format);

// The new records whole, one after another.
QByteArray records(const Plan& plan, const RecordFormat& format);

// The counts for the user, one line each: added, updated, skipped, rejected; as done once
// `written`, otherwise as to be done.
QStringList summary(const Plan& plan, bool written);

}  // namespace importPlan
