#pragma once

#include "matches/Match.h"

// What the calendar's table shows of a match beyond the lists' texts (matches/Listing.h).
namespace matches {

// The round as its column shows it: its number, or the knockout round's name ("Semifinali").
QString roundText(const Match& match);

// The status as the table shows it: the word, and for a forfeit the side at fault.
QString statusText(const Match& match);

}  // namespace matches
