#pragma once

#include "matches/Match.h"

#include <QList>
#include <QStringList>
#include <QTime>

// Days, kick-off times and fields of the matches.
namespace matches {

struct Schedule {
    QDate first;          // day of the first round; invalid: no dates
    int daysBetween = 7;  // 1 for a summer tournament, 7 for a league
    QList<QTime> times;   // kick-off times of a day, in order
    QStringList fields;   // "campi"
};

// Round k gets the first day plus (k - first round) times the days between; within a round the
// matches take the fields in turn and, once every field is taken, the next kick-off time.
void schedule(QList<Match>& matches, const Schedule& plan);

// Moves every match of `round` to `day`, keeping times and fields.
void moveRound(QList<Match>& matches, int round, const QDate& day);

// "20:30, 21:45" -> the times; nullopt when one of them is not a time.
std::optional<QList<QTime>> timesFromText(const QString& text);
QString timesText(const QList<QTime>& times);

}  // namespace matches
