#pragma once

#include "storage/RecordFile.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Which records of an archive are withdrawn, and since when. A withdrawn record stays in its
// archive byte for byte at its position (other stations, photos and attachments rely on positions
// never changing); the mark lives in a small file of its own beside the archive
// ("<archive file name>.rit": "Coppa.vai.rit", "Archivio_Squadre.pro.rit"), which older copies of
// the program never look at. No file, or no mark for a position: the record is not withdrawn.
//
// The file holds fixed records through RecordFile (lock, conflict check, batches in one write):
//   offset 0   1 byte   'R' withdrawn, 'A' brought back
//   offset 1  10 bytes  position of the record in the archive, ASCII digits, zeros in front
//   offset 11  8 bytes  day it was withdrawn, yyyyMMdd
//   offset 19  8 bytes  day it was brought back, yyyyMMdd; spaces while withdrawn
// A position has at most one record, rewritten in place as it is withdrawn and brought back;
// should two stations each add one at the same moment, the later in the file counts. A record
// that does not read as above (a later kind) is passed over.
namespace withdrawal {

inline const QString suffix = QStringLiteral(".rit");
inline constexpr int RecordSize = 27;

// The mark file of the archive at `archivePath`.
QString marksPath(const QString& archivePath);
// Whether a file name (no folder) is a mark file's: never a tournament, always in a backup.
bool isMarksName(const QString& fileName);

// The withdrawn records of one archive: position -> day withdrawn.
class Marks {
public:
    bool isWithdrawn(qint64 position) const { return m_withdrawn.contains(position); }
    // The day `position` was withdrawn; invalid when it is not withdrawn.
    QDate date(qint64 position) const { return m_withdrawn.value(position); }
    qsizetype count() const { return m_withdrawn.size(); }
    bool isEmpty() const { return m_withdrawn.isEmpty(); }
    const QHash<qint64, QDate>& withdrawn() const { return m_withdrawn; }

    void set(qint64 position, const QDate& day) { m_withdrawn.insert(position, day); }

private:
    QHash<qint64, QDate> m_withdrawn;
};

// The marks of the archive at `archivePath`; none when it has no mark file (which is not made).
// Throws ArchiveError when the file is there and cannot be read.
Marks read(const QString& archivePath);

// The marks as their file holds them, for code that reads the file itself.
Marks fromBytes(QByteArrayView bytes);

enum class Action { Withdraw, BringBack };

struct Request {
    qint64 position = 0;
    Action action = Action::Withdraw;
    // Set by a screen that showed the record: the day it showed it withdrawn (invalid: shown not
    // withdrawn). When the mark is no longer that, another station got there first and
    // RecordChanged is thrown; without it a request that finds nothing to do is refused.
    std::optional<QDate> seen;
    // Set by a screen that showed the record: whether the record in the archive is still the
    // one it showed; when not, RecordChanged is thrown.
    RecordFile::Unchanged recordUnchanged;
};

enum class Outcome {
    Done,
    NoSuchRecord,      // the archive has no record at that position
    AlreadyWithdrawn,  // withdraw: it is withdrawn already
    NotWithdrawn,      // bring back: it is not withdrawn
};

// Withdraws or brings back the records of `requests` in the archive at `archivePath` (of
// `recordSize`-byte records), all in one write of the mark file, dated `today`. Every request is
// checked first: the first refused one is returned and nothing is written. The archive itself is
// only read. Throws RecordChanged (see Request), ArchiveBusy, ArchiveError; on a failure the mark
// file is as it was.
Outcome apply(const QString& archivePath, int recordSize, const QList<Request>& requests, const QDate& today);

// Removes the mark file of an archive that is being deleted; true when it is gone afterwards.
bool removeMarks(const QString& archivePath);

// "Ritirata il 12/03/2027"
QString bandText(const QDate& day);

// What a list does with withdrawn records: leaves them out (the default everywhere) or, with
// "Mostra anche i ritirati" or --ritirati, lists them with rowNote() after their row.
enum class Listing { LeaveOut, Mark };

// "  (Ritirata il 12/03/2027)"
QString rowNote(const QDate& day);

}  // namespace withdrawal
