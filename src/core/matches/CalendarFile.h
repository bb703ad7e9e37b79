#pragma once

#include "matches/Match.h"
#include "storage/ArchiveError.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// A tournament's calendar file: "NAME.cal" beside "NAME.vai". It goes through the record file, its
// lock and its conflict check like the archives, so several stations can enter results at once:
// a save writes only the records that changed, each only if nobody changed it since it was read.
namespace matches {

inline const QString calendarExtension = QStringLiteral(".cal");

// "…/NAME.vai" -> "…/NAME.cal".
QString calendarPath(const QString& tournamentPath);
bool hasCalendar(const QString& tournamentPath);

// The calendar file is cut short or holds a record that does not read: nothing is read from it and
// nothing written to it until it is restored. message() is the Italian text for the user.
class CalendarDamaged : public ArchiveError {
public:
    CalendarDamaged(const std::string& what, QString message)
        : ArchiveError(what)
        , m_message(std::move(message))
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A calendar as read, with the records it came from.
struct StoredCalendar {
    Calendar calendar;
    // Every record of a kind this program knows, and every free place, as read: a save compares
    // with them to know what changed and whether another station changed it meanwhile.
    QHash<qint64, QByteArray> stored;
    bool exists = false;  // the file was there
};

// Reads the calendar of a tournament, matches in number order; an empty calendar with default
// rules when there is none (the file is not made). Throws CalendarDamaged, or ArchiveError when the file cannot be read.
StoredCalendar readCalendar(const QString& tournamentPath);

// Writes what `calendar` changed since it was read, in one batch of the record file: changed
// records in place, new ones into free places or after the last, removed ones freed. Throws
// RecordChanged, writing nothing, when a record to change or free is no longer what was read
// (another station's save), CalendarDamaged for a damaged file, ArchiveError for a failed write
// (nothing written). Afterwards `calendar` holds what the file holds.
void saveCalendar(const QString& tournamentPath, StoredCalendar& calendar);

// Texts of the messages.
QString cutShortMessage(qint64 strayBytes);
QString damagedMessage(qint64 record, const QString& field);

}  // namespace matches
