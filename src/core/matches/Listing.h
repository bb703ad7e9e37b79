#pragma once

#include "matches/Match.h"

#include <QStringList>

#include <optional>

// A calendar shown as a list: the texts of each match and the filters of the calendar screen and
// of `golvera-cli calendario`.
namespace matches {

struct Filter {
    int round = 0;    // 0: every round
    int team = 0;     // entry position; 0: every team
    QString group;    // empty: every group
    std::optional<Status> status;

    bool accepts(const Match& match) const;
};

// The team on one side as the lists name it: the entry's name, what a place not known yet stands
// for, or "riposa" for the other side of a rest. `names` holds the entries' names, index 0 for 1.
QString sideName(const Match& match, Side side, const QStringList& names);

// "2-1" (goals after extra time, the awarded score of a forfeit) or empty without a result;
// `withPenalties` adds " (4-3 rig.)".
QString resultText(const Match& match, const Rules& rules, bool withPenalties = false);

// "Giornata 3", "Semifinali", ...
QString roundTitle(const Match& match);

// number, round, group, date, time, field, home, away, result, status.
QStringList matchFields(const Match& match, const Rules& rules, const QStringList& names);

// The matches in calendar order: round, day, time, number.
QList<const Match*> inCalendarOrder(const Calendar& calendar);

// The entry called `name` (blanks around it and case do not matter); 0 when none is.
int entryNamed(const QStringList& names, const QString& name);

}  // namespace matches
