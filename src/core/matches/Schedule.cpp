#include "matches/Schedule.h"

#include <QHash>

#include <algorithm>

namespace matches {

void schedule(QList<Match>& matches, const Schedule& plan)
{
    if (matches.isEmpty())
        return;
    const int firstRound = std::min_element(matches.cbegin(), matches.cend(), [](const Match& a, const Match& b) {
                               return a.round < b.round;
                           })->round;
    QHash<int, int> placed;  // matches already given a slot, by round
    const qsizetype fields = std::max<qsizetype>(1, plan.fields.size());
    for (Match& match : matches) {
        if (plan.first.isValid())
            match.date = plan.first.addDays(qint64(match.round - firstRound) * plan.daysBetween);
        if (match.isRest())
            continue;
        const int index = placed[match.round]++;
        if (!plan.fields.isEmpty())
            match.field = plan.fields[index % fields];
        if (!plan.times.isEmpty())
            match.time = plan.times[(index / fields) % plan.times.size()];
    }
}

void moveRound(QList<Match>& matches, int round, const QDate& day)
{
    for (Match& match : matches) {
        if (match.round == round)
            match.date = day;
    }
}

std::optional<QList<QTime>> timesFromText(const QString& text)
{
    QList<QTime> times;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString typed = part.trimmed();
        QTime time = QTime::fromString(typed, QStringLiteral("H:mm"));
        if (!time.isValid())
            time = QTime::fromString(typed, QStringLiteral("H.mm"));
        if (!time.isValid())
            return std::nullopt;
        times.append(time);
    }
    return times;
}

QString timesText(const QList<QTime>& times)
{
    QStringList parts;
    for (const QTime& time : times)
        parts.append(time.toString(QStringLiteral("HH:mm")));
    return parts.join(QStringLiteral(", "));
}

}  // namespace matches
