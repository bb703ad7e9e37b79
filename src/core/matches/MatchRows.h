#pragma once

#include "matches/Match.h"

#include <QStringList>

#include <optional>

// What the calendar's table shows of a match, and which matches a filter keeps.
namespace matches {

// The team names by entry position (index 0 holds entry 1), as the tournament file has them.
// Unreadable file: an empty list (the table then shows the positions).
QStringList entryNames(const QString& tournamentPath);

// The name shown for one side: the entry's name, what a slot not known yet stands for, or
// "riposa" for a round robin's rest.
QString sideText(const Match& match, Side side, const QStringList& names);

// "2-1"; a forfeit shows the awarded score; a knockout match adds its extra time and shoot-out
// ("1-1 d.t.s. 5-4 rig."). Empty while the match has no result.
QString resultText(const Match& match, const Rules& rules);

// The round as the table shows it: its number, or the knockout round's name ("Semifinali").
QString roundText(const Match& match);

// The status as the table shows it: the word, and for a forfeit the side at fault.
QString statusText(const Match& match);

struct MatchFilter {
    int round = 0;  // 0: every round
    int entry = 0;  // 0: every team
    std::optional<QString> group;  // unset: every group
    std::optional<Status> status;

    bool accepts(const Match& match) const;
};

}  // namespace matches
