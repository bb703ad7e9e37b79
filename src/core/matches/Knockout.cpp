#include "matches/Knockout.h"

namespace matches {

namespace {

// Bracket order of the seeds for `places` (a power of two): 1, 8, 4, 5, 2, 7, 3, 6 for eight, so
// that the best two can meet only in the final.
QList<int> bracketOrder(int places)
{
    QList<int> order{1};
    for (int size = 1; size < places; size *= 2) {
        QList<int> next;
        for (int seed : std::as_const(order)) {
            next.append(seed);
            next.append(2 * size + 1 - seed);
        }
        order = next;
    }
    return order;
}

void setSide(Match& match, Side side, int entry, const QString& source)
{
    if (side == Side::Home) {
        match.home = entry;
        match.homeSource = source;
    } else {
        match.away = entry;
        match.awaySource = source;
    }
}

}  // namespace

QString winnerOf(int number)
{
    return QStringLiteral("Vincente gara %1").arg(number);
}

QString loserOf(int number)
{
    return QStringLiteral("Perdente gara %1").arg(number);
}

QList<Match> knockout(const QList<KnockoutSlot>& seeds, bool thirdPlace, int firstNumber, int firstRound)
{
    QList<Match> matches;
    const int count = int(seeds.size());
    if (count < 2)
        return matches;
    int places = 1;
    while (places < count)
        places *= 2;

    // What fills each place of the current round: a known slot, or the winner of a match.
    struct Feed {
        KnockoutSlot slot;
        qsizetype from = -1;  // index in `matches` whose winner comes here
    };
    QList<Feed> feeds;
    for (int seed : bracketOrder(places))
        feeds.append(seed <= count ? Feed{seeds[seed - 1], -1} : Feed{{-1, {}}, -1});

    int number = firstNumber;
    int round = firstRound;
    QList<qsizetype> semifinals;
    for (int size = places; size >= 2; size /= 2, ++round) {
        QList<Feed> next;
        for (qsizetype i = 0; i + 1 < feeds.size(); i += 2) {
            const Feed& a = feeds[i];
            const Feed& b = feeds[i + 1];
            if (a.slot.entry < 0 || b.slot.entry < 0) {  // a bye: the other goes on
                next.append(a.slot.entry < 0 ? b : a);
                continue;
            }
            Match match;
            match.number = number++;
            match.round = round;
            match.phase = Phase::Knockout;
            match.roundSize = size;
            for (const auto& [feed, side] : {std::pair{a, Side::Home}, std::pair{b, Side::Away}}) {
                if (feed.from >= 0) {
                    Match& previous = matches[feed.from];
                    previous.winnerTo = match.number;
                    previous.winnerSide = side;
                    setSide(match, side, 0, winnerOf(previous.number));
                } else {
                    setSide(match, side, feed.slot.entry, feed.slot.source);
                }
            }
            matches.append(match);
            if (size == 4)
                semifinals.append(matches.size() - 1);
            next.append(Feed{{0, {}}, matches.size() - 1});
        }
        feeds = next;
        if (size == 4 && thirdPlace && semifinals.size() == 2) {
            // Before the final, so that it is played first.
            Match third;
            third.number = number++;
            third.round = round + 1;
            third.phase = Phase::ThirdPlace;
            third.roundSize = 4;
            for (const auto& [index, side] : {std::pair{semifinals[0], Side::Home}, std::pair{semifinals[1], Side::Away}}) {
                Match& semifinal = matches[index];
                semifinal.loserTo = third.number;
                semifinal.loserSide = side;
                setSide(third, side, 0, loserOf(semifinal.number));
            }
            matches.append(third);
        }
    }
    return matches;
}

QList<int> advanceWinners(Calendar& calendar)
{
    QList<int> refused;
    const auto place = [&](int to, Side side, int entry) {
        Match* target = calendar.match(to);
        if (!target || side == Side::None)
            return;
        int& slot = side == Side::Home ? target->home : target->away;
        if (slot == entry)
            return;
        if (target->hasResult()) {
            if (!refused.contains(target->number))
                refused.append(target->number);
            return;
        }
        slot = entry;
    };
    for (const Match& match : std::as_const(calendar.matches)) {
        if (!match.isKnockout() || (!match.winnerTo && !match.loserTo))
            continue;
        const Side winner = match.winner();
        const int winnerEntry = winner == Side::Home ? match.home : winner == Side::Away ? match.away : 0;
        const int loserEntry = winner == Side::Home ? match.away : winner == Side::Away ? match.home : 0;
        if (match.winnerTo)
            place(match.winnerTo, match.winnerSide, winnerEntry);
        if (match.loserTo)
            place(match.loserTo, match.loserSide, loserEntry);
    }
    return refused;
}

QString roundName(const Match& match)
{
    if (match.phase == Phase::ThirdPlace)
        return QStringLiteral("Finale 3\u00B0 posto");
    switch (match.roundSize) {
    case 2:
        return QStringLiteral("Finale");
    case 4:
        return QStringLiteral("Semifinali");
    case 8:
        return QStringLiteral("Quarti di finale");
    case 16:
        return QStringLiteral("Ottavi di finale");
    case 32:
        return QStringLiteral("Sedicesimi di finale");
    default:
        return QStringLiteral("Turno a %1 squadre").arg(match.roundSize);
    }
}

}  // namespace matches
