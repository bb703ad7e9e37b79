#pragma once

#include "matches/Match.h"

#include <QList>

// Round robins by Berger's tables: the last team stays fixed and alternates home and away, the
// others turn around it. With an odd count each round has one team resting ("riposa"), kept as a
// match whose away side is 0.
namespace matches {

enum class ReturnLeg {
    None,        // single round robin
    Mirrored,    // the return leg repeats the first leg's rounds in order, home and away swapped
    Asymmetric,  // the return leg's rounds come in another order, home and away swapped
};

// The matches of a round robin over `entries` (positions, in the order the table numbers them):
// numbers from `firstNumber`, rounds from `firstRound`, every match in `group`. Dates, times and
// fields are left empty.
QList<Match> roundRobin(const QList<int>& entries, ReturnLeg returnLeg, int firstNumber = 1, int firstRound = 1,
                        const QString& group = {});

// Rounds one leg takes for `count` teams.
int roundsPerLeg(int count);

}  // namespace matches
