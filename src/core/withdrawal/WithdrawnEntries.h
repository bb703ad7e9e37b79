#pragma once

#include "matches/Match.h"

#include <QString>

// A tournament's withdrawn entries as its calendar counts them: the marks beside the tournament
// are the calendar's withdrawn entries, and the tournament's own rule (Rules::withdrawal) says what
// their matches become.
namespace withdrawal {

// Entry position -> day withdrawn, from the tournament's marks. Throws ArchiveError when the marks
// cannot be read.
matches::Withdrawn entries(const QString& tournamentPath);

// After an entry was withdrawn or brought back: the entries are written again from the calendar
// with the marks as they now are (points, matches, completed). Returns how many changed; a
// tournament without a calendar, or whose points are not from the results, is not touched.
// Throws as matches::refreshEntries().
int recount(const QString& tournamentPath);

}  // namespace withdrawal
