#pragma once

#include "matches/Groups.h"
#include "matches/Knockout.h"
#include "matches/RoundRobin.h"
#include "matches/Schedule.h"

#include <QRandomGenerator>

// What a new calendar is to be: the choices of the "Nuovo calendario" screen and of
// `golvera-cli calendario crea`, turned into matches before anything is written.
namespace matches {

enum class Format {
    RoundRobin,          // one round robin ("girone all'italiana")
    Groups,              // groups, each a round robin
    Knockout,            // knockout only
    GroupsThenKnockout,  // groups, then the best of each group in a knockout
};

struct Plan {
    Format format = Format::RoundRobin;
    QList<int> entries;  // positions taking part, in seed order for a knockout
    int entryCount = 0;  // entries in the tournament file
    ReturnLeg returnLeg = ReturnLeg::None;
    int groupCount = 2;
    QList<int> seeds;             // kept apart in the draw
    QList<GroupSlot> groupsByHand;  // when given, no draw is made
    int qualifiers = 2;           // per group into the knockout
    bool thirdPlace = false;
    Schedule schedule;
    Rules rules;
};

struct Made {
    Calendar calendar;
    QString error;  // Italian, for the user; empty when the calendar was made
    bool drawReused = false;
};

// Makes the calendar of `plan`. For groups, a draw already stored (`storedDraw`) is used as it is;
// otherwise the groups by hand, or a new draw by `random`. Numbers start after `lastNumber`.
Made makeCalendar(const Plan& plan, const QList<GroupSlot>& storedDraw, QRandomGenerator& random,
                  int lastNumber = 0);

// The knockout places that the group standings fill, in seed order: firsts of every group, then
// the seconds, and so on, so that the first round pairs "1\u00B0 girone A" with "2\u00B0 girone B".
QList<KnockoutSlot> groupQualifiers(const QStringList& groups, int qualifiers);

// The entry each "N\u00B0 girone X" place stands for, once its group has played all its matches,
// with the group ordered by points, goal difference, goals scored and place in the draw; places
// whose group is not finished stay empty. Returns the numbers of matches given a team.
QList<int> fillFromGroups(Calendar& calendar, int entryCount, const Withdrawn& withdrawn = {});

// Messages.
QString tooFewTeamsMessage();
QString vanishedEntryMessage(int position);
QString groupsTooSmallMessage(int teams, int groups);
QString drawDiffersMessage(int storedGroups);

}  // namespace matches
