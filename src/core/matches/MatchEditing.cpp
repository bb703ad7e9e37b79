#include "matches/MatchEditing.h"

namespace matches {

namespace {

constexpr int MaxGoals = 999;

// A count of goals: digits only, blanks around ignored.
std::optional<int> goals(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 3)
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = trimmed.toInt();
    return value <= MaxGoals ? std::optional<int>(value) : std::nullopt;
}

struct Pair {
    bool given = false;
    bool valid = true;
    int home = 0;
    int away = 0;
};

// Both sides or neither.
Pair pairOf(const QString& home, const QString& away)
{
    Pair pair;
    if (home.trimmed().isEmpty() && away.trimmed().isEmpty())
        return pair;
    pair.given = true;
    const std::optional<int> h = goals(home);
    const std::optional<int> a = goals(away);
    pair.valid = h && a;
    pair.home = h.value_or(0);
    pair.away = a.value_or(0);
    return pair;
}

void place(Calendar& calendar, int number, Side side, int entry)
{
    Match* next = number > 0 ? calendar.match(number) : nullptr;
    if (!next)
        return;
    if (side == Side::Home)
        next->home = entry;
    else if (side == Side::Away)
        next->away = entry;
}

}  // namespace

QString applyResult(Match& match, const TypedResult& typed)
{
    const Pair regular = pairOf(typed.home, typed.away);
    const Pair extra = pairOf(typed.homeExtra, typed.awayExtra);
    const Pair penalties = pairOf(typed.homePenalties, typed.awayPenalties);
    if (!regular.given) {
        if (extra.given || penalties.given)
            return notTwoCountsMessage;
        match.homeGoals = match.awayGoals = 0;
        match.homeExtra = match.awayExtra = match.homePenalties = match.awayPenalties = std::nullopt;
        if (match.status == Status::Giocata)
            match.status = Status::DaGiocare;
        return {};
    }
    if (!regular.valid || !extra.valid || !penalties.valid)
        return notTwoCountsMessage;
    Match changed = match;
    changed.homeGoals = regular.home;
    changed.awayGoals = regular.away;
    changed.homeExtra = changed.awayExtra = changed.homePenalties = changed.awayPenalties = std::nullopt;
    changed.status = Status::Giocata;
    changed.atFault = Side::None;
    if (match.isKnockout()) {
        if (extra.given) {
            changed.homeExtra = extra.home;
            changed.awayExtra = extra.away;
        }
        if (penalties.given && changed.homeTotal() == changed.awayTotal()) {
            changed.homePenalties = penalties.home;
            changed.awayPenalties = penalties.away;
        }
        if (changed.winner() == Side::None)
            return knockoutDrawnMessage;
    }
    match = changed;
    return {};
}

void advanceFrom(Calendar& calendar, int number)
{
    const Match* decided = calendar.match(number);
    if (!decided || !decided->isKnockout())
        return;
    const Side winner = decided->winner();
    int winnerEntry = 0;
    int loserEntry = 0;
    if (winner == Side::Home || winner == Side::Away) {
        winnerEntry = winner == Side::Home ? decided->home : decided->away;
        loserEntry = winner == Side::Home ? decided->away : decided->home;
    }
    const int winnerTo = decided->winnerTo;
    const Side winnerSide = decided->winnerSide;
    const int loserTo = decided->loserTo;
    const Side loserSide = decided->loserSide;
    place(calendar, winnerTo, winnerSide, winnerEntry);
    place(calendar, loserTo, loserSide, loserEntry);
}

}  // namespace matches
