#pragma once

#include "matches/CalendarFile.h"
#include "matches/Match.h"
#include "standings/CompleteStandings.h"

#include <QList>
#include <QString>
#include <QStringList>

// The complete standings of a tournament with a calendar: what each match counts for comes from
// the calendar's own rule, the names from the tournament's entries.
namespace standings {

// The tournament's team names by entry position (index i is entry i + 1), trimmed as shown.
// Throws ArchiveError when the file cannot be read.
QStringList entryNames(const QString& tournamentPath);

// The order of the criteria the calendar keeps; `error` set (Italian) when it is not usable.
QList<Criterion> criteria(const matches::TieBreakSettings& settings, QString* error);

// The standings input of one group ("" without groups), or of its home-only or away-only table:
// its teams (withdrawn entries left out), the round-robin matches as counted, the deductions,
// fair-play points, stored draws and deciding places.
StandingsInput standingsInput(const matches::Calendar& calendar, const QStringList& names, const QString& group,
                              const matches::Withdrawn& withdrawn = {}, Side side = Side::All);

// The groups with standings: the calendar's groups, or one unnamed group.
QStringList standingsGroups(const matches::Calendar& calendar);

// Computes the group's standings; draws by lot that are needed are made and put into `calendar`
// (`drawn` true), and the draws that no longer apply are taken out of it, their notes kept in the
// table's notes this once. The caller saves the calendar.
StandingsTable settleStandings(matches::Calendar& calendar, const QStringList& names, const QString& group,
                               const matches::Withdrawn& withdrawn, bool* drawn);

// The top scorers: player, team and goals, most goals first, then by name; only the goals of
// matches that count as played on the field.
struct ScorerTotal {
    QString player;
    QString team;
    int goals = 0;
};
QList<ScorerTotal> topScorers(const matches::Calendar& calendar, const QStringList& names,
                              const matches::Withdrawn& withdrawn = {});

}  // namespace standings
