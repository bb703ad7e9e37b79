#pragma once

#include "matches/Match.h"

#include <QString>

// Changing a match's result as the user types it.
namespace matches {

// The counts as typed: goals of each side, and for a knockout match those of extra time and of the
// shoot-out (empty: none).
struct TypedResult {
    QString home, away;
    QString homeExtra, awayExtra;
    QString homePenalties, awayPenalties;
};

inline const QString notTwoCountsMessage = QStringLiteral(
    "Attenzione: il risultato deve essere formato da due numeri di gol, ad esempio 2 e 1.");
inline const QString knockoutDrawnMessage = QStringLiteral(
    "Attenzione: una gara a eliminazione diretta non pu\u00F2 finire in parit\u00E0.\r\n\r\n"
    "Indicare i gol dei tempi supplementari o i calci di rigore.");

// Puts the typed result into `match`: a result makes it played, both counts left empty take the
// result away (a played match is to be played again). Returns the message that refuses it (the
// match then is as it was), empty when it is taken.
QString applyResult(Match& match, const TypedResult& typed);

// Once a knockout match is decided (or no longer is), its winner and loser go into the matches
// they move on to, as the side they play there; an undecided one leaves those places open.
void advanceFrom(Calendar& calendar, int number);

}  // namespace matches
