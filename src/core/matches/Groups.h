#pragma once

#include "matches/Match.h"
#include "matches/RoundRobin.h"

#include <QList>
#include <QRandomGenerator>

// Groups ("gironi"): entries split by hand or by a draw, each group a round robin. The draw is
// made once and stored with the calendar; a new calendar over the same groups reuses it.
namespace matches {

// "A", "B", ..., "Z", then "AA", "AB", ...
QString groupName(int index);

// Draws `entries` into `groupCount` groups whose sizes differ by at most one. Seeds go first, one
// per group in turn, so that no group has two of them while another has none; the rest are
// shuffled by `random` into the groups with fewest entries.
QList<GroupSlot> drawGroups(const QList<int>& entries, int groupCount, const QList<int>& seeds,
                            QRandomGenerator& random);

// The entries of one group, by their place in it.
QList<int> groupEntries(const QList<GroupSlot>& draw, const QString& group);

// Every group a round robin; group rounds run side by side (round 1 of every group is one round).
QList<Match> groupMatches(const QList<GroupSlot>& draw, ReturnLeg returnLeg, int firstNumber = 1);

}  // namespace matches
