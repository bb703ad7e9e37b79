#pragma once

#include "matches/Match.h"

// What a match counts for. Everything that adds up points, standings, tables or the entries'
// computed fields asks here, so that a forfeit, an annulled match or a withdrawn team is treated
// the same way everywhere.
namespace matches {

enum class Verdict { Won, Drawn, Lost };

struct SideCount {
    int goalsFor = 0;
    int goalsAgainst = 0;
    int points = 0;  // the forfeit deduction already taken off
    Verdict verdict = Verdict::Drawn;
};

struct Count {
    bool counts = false;  // false: as if the match did not exist (not played yet, annulled, a rest)
    SideCount home;
    SideCount away;
    // Set when the match is counted as a forfeit although the stored status says otherwise (a
    // withdrawn team's match), or not counted although played (annulled by a withdrawal).
    bool changedByWithdrawal = false;
};

// Knockout matches count for played, won, lost and goals (extra time included, a shoot-out
// deciding who won), never for points.
Count countMatch(const Match& match, const Rules& rules, const Withdrawn& withdrawn = {});

// Whether the match is still to be played by its teams: not played, not annulled, and not settled
// by a withdrawal.
bool isPending(const Match& match, const Rules& rules, const Withdrawn& withdrawn = {});

}  // namespace matches
