#include "matches/Listing.h"

#include "app/Formats.h"
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
            formats::dateText(match.date),
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

QStringList printLines(const Calendar& calendar, const QList<const Match*>& shown, const QStringList& names)
{
    QStringList lines;
    QString title;
    for (const Match* match : shown) {
        QString heading = roundTitle(*match);
        if (match->date.isValid())
            heading += QStringLiteral(" - ") + formats::dateText(match->date);
        if (heading != title) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(heading);
            title = heading;
        }
        QString line = QStringLiteral("%1  %2 - %3")
                           .arg(match->number, 4)
                           .arg(sideName(*match, Side::Home, names), sideName(*match, Side::Away, names));
        if (!match->group.isEmpty())
            line = QStringLiteral("[%1] ").arg(match->group) + line;
        if (match->time.isValid())
            line += QStringLiteral("  ore ") + match->time.toString(QStringLiteral("HH:mm"));
        if (!match->field.isEmpty())
            line += QStringLiteral("  ") + match->field;
        const QString result = resultText(*match, calendar.rules, true);
        if (!result.isEmpty())
            line += QStringLiteral("  ") + result;
        if (match->status != Status::Giocata && !match->isRest())
            line += QStringLiteral("  (%1)").arg(statusWord(match->status));
        lines.append(line);
    }
    return lines;
}

QStringList bracketLines(const Calendar& calendar, const QStringList& names)
{
    QList<const Match*> knockout;
    for (const Match* match : inCalendarOrder(calendar)) {
        if (match->isKnockout())
            knockout.append(match);
    }
    return printLines(calendar, knockout, names);
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
