#pragma once

#include "matches/Counting.h"

#include <QList>

// Each entry's record in the tournament as the calendar gives it.
namespace matches {

struct EntryTotals {
    int played = 0;
    int won = 0;
    int drawn = 0;
    int lost = 0;
    int goalsFor = 0;
    int goalsAgainst = 0;
    int matchPoints = 0;  // from the matches, forfeit deductions included
    int deducted = 0;     // the calendar's point deductions, a positive number
    int pending = 0;      // matches still to play

    int points() const { return matchPoints - deducted; }
    int goalDifference() const { return goalsFor - goalsAgainst; }
    friend bool operator==(const EntryTotals&, const EntryTotals&) = default;
};

// Index i holds entry i + 1; entries the calendar names beyond `entryCount` are left out.
QList<EntryTotals> entryTotals(const Calendar& calendar, int entryCount, const Withdrawn& withdrawn = {});

// Adds one side of a counted match to `totals`.
void addCount(EntryTotals& totals, const SideCount& side);

}  // namespace matches
