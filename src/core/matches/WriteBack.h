#pragma once

#include "matches/CalendarFile.h"
#include "matches/Totals.h"
#include "storage/RecordFile.h"

#include <QStringList>

// The entries of a tournament as its calendar leaves them: when the tournament's points come from
// the results, each entry's Punteggio holds its points in the normal form, Gare one line per match
// counted, in calendar order, and Completato "S\u00EC" once nothing is left for it to play.
//
// The calendar and the entries are two files. A result is saved calendar first, entries next, all
// entries in one batch; the entries are always what the calendar makes of them, so a station that
// finds them different (a crash between the two writes, an older program's edit) writes them again
// from the calendar. The calendar is the record; the entries are its copy for every screen, sheet
// and export that knows only the tournament file.
namespace matches {

// The "Gare" text of one entry; `names` holds every entry's name, index 0 for entry 1. Lines that
// do not fit the field's 5000 characters are dropped oldest first, and the first line says how many.
QString matchLines(const Calendar& calendar, int entry, const QStringList& names, const Withdrawn& withdrawn = {});

// One line: "12/05/2026 Leoni (casa) 2-1 punti 3".
QString matchLine(const Match& match, int entry, const QString& opponent, const Count& count);

// Every entry record that differs from what the calendar makes of it, with the check that it is
// still what was read. Empty when the points do not come from the results.
QList<RecordFile::Change> entryChanges(const QString& tournamentPath, const Calendar& calendar,
                                       const Withdrawn& withdrawn = {});

// Writes those changes in one batch; returns how many entries changed. Throws RecordChanged when
// an entry was saved meanwhile by another station (nothing written), ArchiveError when the write
// fails (nothing written).
int writeBack(const QString& tournamentPath, const Calendar& calendar, const Withdrawn& withdrawn = {});

// Saves the calendar's changes, then the entries that follow from them.
void saveAndWriteBack(const QString& tournamentPath, StoredCalendar& calendar, const Withdrawn& withdrawn = {});

// For whoever opens a tournament: when it has a calendar whose points come from the results and
// an entry differs from it, the entries are written again. Returns how many changed; a tournament
// without a calendar is not touched. Throws as readCalendar() and writeBack().
int refreshEntries(const QString& tournamentPath, const Withdrawn& withdrawn = {});

// The entries' names (Concorrente), index 0 for entry 1.
QStringList entryNames(const QString& tournamentPath);

// The line that heads the entry editor's computed fields.
QString computedFieldsNote();

}  // namespace matches
