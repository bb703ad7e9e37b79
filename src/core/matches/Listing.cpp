#include "matches/Listing.h"

#include "matches/Counting.h"
#include "matches/Knockout.h"
#include "matches/Results.h"

#include <algorithm>

namespace matches {

bool Filter::accepts(const Match& match) const
{
    if (round != 0 && match.round != round)
        return false;
    if (team != 0 && !match.involves(team))
        return false;
    if (!group.isEmpty() && match.group != group)
        return false;
    return !status || match.status == *status;
}

QString sideName(const Match& match, Side side, const QStringList& names)
{
    const int entry = side == Side::Home ? match.home : match.away;
    if (entry > 0)
        return names.value(entry - 1, QStringLiteral("(squadra %1)").arg(entry));
    const QString& source = side == Side::Home ? match.homeSource : match.awaySource;
    if (!source.isEmpty())
        return source;
    return match.isRest() ? QStringLiteral("riposa") : QString();
}

QString resultText(const Match& match, const Rules& rules, bool withPenalties)
{
    if (!match.hasResult() || match.home <= 0 || match.away <= 0)
        return {};
    if (match.status == Status::Tavolino) {
        const Count count = countMatch(match, rules);
        return scoreText(count.home.goalsFor, count.away.goalsFor);
    }
    QString text = scoreText(match.homeTotal(), match.awayTotal());
    if (withPenalties && match.homePenalties && match.awayPenalties)
        text += QStringLiteral(" (%1 rig.)").arg(scoreText(*match.homePenalties, *match.awayPenalties));
    return text;
}

QString roundTitle(const Match& match)
{
    if (match.isKnockout())
        return roundName(match);
    return QStringLiteral("Giornata %1").arg(match.round);
}

QStringList matchFields(const Match& match, const Rules& rules, const QStringList& names)
{
    return {QString::number(match.number),
            QString::number(match.round),
            match.group,
            match.date.isValid() ? match.date.toString(QStringLiteral("dd/MM/yyyy")) : QString(),
            match.time.isValid() ? match.time.toString(QStringLiteral("HH:mm")) : QString(),
            match.field,
            sideName(match, Side::Home, names),
            sideName(match, Side::Away, names),
            resultText(match, rules),
            match.isRest() ? QString() : statusWord(match.status)};
}

QList<const Match*> inCalendarOrder(const Calendar& calendar)
{
    QList<const Match*> ordered;
    ordered.reserve(calendar.matches.size());
    for (const Match& match : calendar.matches)
        ordered.append(&match);
    std::stable_sort(ordered.begin(), ordered.end(), [](const Match* a, const Match* b) {
        if (a->round != b->round)
            return a->round < b->round;
        if (a->date != b->date)
            return a->date < b->date;
        if (a->time != b->time)
            return a->time < b->time;
        return a->number < b->number;
    });
    return ordered;
}

int entryNamed(const QStringList& names, const QString& name)
{
    const QString wanted = name.trimmed();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    return 0;
}

}  // namespace matches
