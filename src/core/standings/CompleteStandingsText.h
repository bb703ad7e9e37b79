#pragma once

#include "standings/CalendarStandings.h"
#include "standings/CompleteStandings.h"

#include <QString>
#include <QStringList>

// The complete standings and the top scorers as lines: separated by tabs for the command line,
// in fixed-width columns for the printed documents.
namespace standings {

inline const QString CompleteStandingsName = QStringLiteral("Classifica completa");
inline const QString TopScorersName = QStringLiteral("Classifica marcatori");

// "Pos\tSquadra\tPt\tG\tV\tN\tP\tGF\tGS\tDR\tPen\tMotivo", then one line a team.
QStringList tabLines(const StandingsTable& table);
// "Pos\tGiocatore\tSquadra\tGol", then one line a scorer.
QStringList tabLines(const QList<ScorerTotal>& scorers);

// The printed table: a header, a line a team, then the reasons and notes, each on its line.
QStringList printedLines(const StandingsTable& table);
QStringList printedLines(const QList<ScorerTotal>& scorers);

// The goal difference as the command line and the screens show it: "+3", "0", "-2".
QString goalDifferenceText(int difference);

}  // namespace standings
