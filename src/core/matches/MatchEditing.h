#pragma once

#include "matches/Results.h"

#include <QString>

#include <optional>

// A result as the user types it into the calendar's table, counts in separate boxes.
namespace matches {

// The counts as typed: goals of each side, and for a knockout match those of extra time and of the
// shoot-out (empty: none).
struct TypedResult {
    QString home, away;
    QString homeExtra, awayExtra;
    QString homePenalties, awayPenalties;
};

// The typed counts as a result to record: played with those goals, or, with every box empty, the
// result taken away (the match is to be played again). Nullopt when a pair is not two counts
// (badScoreMessage() says why). A shoot-out counts only after a draw.
std::optional<ResultInput> typedInput(const TypedResult& typed);

}  // namespace matches
