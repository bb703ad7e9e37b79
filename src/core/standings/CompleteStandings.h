#pragma once

#include "standings/TieBreak.h"

#include <QList>
#include <QString>
#include <QStringList>

// Standings that settle every tie: played, won, drawn, lost, goals, deductions, and for every
// place decided by something other than points the reason, computed from what each match counts
// for (as the calendar decides it) by the tournament's ordered criteria.
namespace standings {

// One counted match: the two teams by entry position and what each side counts.
struct CountedResult {
    int home = 0;
    int away = 0;
    int homeGoals = 0;
    int awayGoals = 0;
    int homePoints = 0;
    int awayPoints = 0;
    int outcome = 0;  // 1 the home side won, 0 a draw, -1 the away side won (a shoot-out decides)
};

struct TeamInput {
    int position = 0;   // the entry's position in the tournament file
    QString name;
    int deduction = 0;  // points taken away
    int fairPlay = 0;   // fair-play points; fewer is better
};

// A draw by lot as stored: the teams it was made among and the order it gave.
struct Lot {
    QList<int> order;  // entry positions, first drawn first
    bool operator==(const Lot&) const = default;
};

// Which matches a table is made of: all, or only each team's home or away matches.
enum class Side { All, Home, Away };

struct StandingsInput {
    QList<TeamInput> teams;
    QList<CountedResult> results;
    QList<Criterion> criteria = defaultCriteria();
    QList<Lot> lots;           // the draws made so far
    QList<int> decidingPlaces; // a tie across such a place (promotion, qualification) needs a play-off
    Side side = Side::All;
};

struct StandingsRow {
    int place = 0;  // teams still level share a place
    int position = 0;
    QString name;
    int points = 0;  // after deductions
    int played = 0;
    int won = 0;
    int drawn = 0;
    int lost = 0;
    int goalsFor = 0;
    int goalsAgainst = 0;
    int deduction = 0;
    int fairPlay = 0;
    QString reason;        // why it stands where it does when points alone did not decide
    bool playOff = false;  // level at a deciding place: a play-off ("spareggio") settles it
    int goalDifference() const { return goalsFor - goalsAgainst; }
};

struct StandingsTable {
    QList<StandingsRow> rows;
    // Teams level up to the draw by lot with no stored draw for them: the caller draws and stores
    // them (`drawLot`), then computes again.
    QList<QList<int>> drawsNeeded;
    // Stored draws that no longer apply because the teams level have changed, as lines to show.
    QStringList notes;
    QList<Lot> staleLots;
};

StandingsTable computeStandings(const StandingsInput& input);

// A new draw among `teams`, in an order chosen at random.
Lot drawLot(const QList<int>& teams);

// The cross table: row team at home against column team away, each cell the results as "2-1"
// (several, separated by blanks, when they met more than once there); the diagonal empty.
QList<QStringList> crossTable(const QList<int>& positions, const QList<CountedResult>& results);

// "+3", "0", "\u22122".
QString signedNumber(int value);

}  // namespace standings
