#pragma once

#include "matches/Match.h"

#include <QList>
#include <QStringList>

// Knockout ("eliminazione diretta"): a bracket over a power of two places, the best seeds getting
// the byes when the count is not one; the winner of each match goes into its match of the next
// round by itself, the semifinals' losers into the third-place match when there is one.
namespace matches {

// One place of the bracket: an entry, or what it will be once known ("1\u00B0 girone A").
struct KnockoutSlot {
    int entry = 0;
    QString source;
};

// Places in seed order, the best first. Numbers from `firstNumber`, rounds from `firstRound`.
QList<Match> knockout(const QList<KnockoutSlot>& seeds, bool thirdPlace, int firstNumber = 1, int firstRound = 1);

// Puts every decided knockout match's winner (and loser, for the third place) into the match it
// goes to, and empties the places whose match is no longer decided. A place of a match that
// already has a result is left as it is: the numbers of those that would have changed are
// returned, for the caller to refuse the change.
QList<int> advanceWinners(Calendar& calendar);

// The round's name: "Finale", "Semifinali", "Quarti di finale", "Ottavi di finale", ...,
// "Finale 3\u00B0 posto".
QString roundName(const Match& match);

// "Vincente gara 12", "Perdente gara 12".
QString winnerOf(int number);
QString loserOf(int number);

}  // namespace matches
