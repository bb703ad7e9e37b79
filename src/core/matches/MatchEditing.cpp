#include "matches/MatchEditing.h"

namespace matches {

namespace {

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
    const std::optional<std::pair<int, int>> score = scoreFromText(home.trimmed() + u'-' + away.trimmed());
    pair.valid = score.has_value();
    if (score) {
        pair.home = score->first;
        pair.away = score->second;
    }
    return pair;
}

}  // namespace

std::optional<ResultInput> typedInput(const TypedResult& typed)
{
    const Pair regular = pairOf(typed.home, typed.away);
    const Pair extra = pairOf(typed.homeExtra, typed.awayExtra);
    const Pair penalties = pairOf(typed.homePenalties, typed.awayPenalties);
    if (!regular.valid || !extra.valid || !penalties.valid || (!regular.given && (extra.given || penalties.given)))
        return std::nullopt;
    ResultInput input;
    if (!regular.given) {
        input.status = Status::DaGiocare;
        return input;
    }
    input.homeGoals = regular.home;
    input.awayGoals = regular.away;
    if (extra.given) {
        input.homeExtra = extra.home;
        input.awayExtra = extra.away;
    }
    const int home = input.homeGoals + input.homeExtra.value_or(0);
    const int away = input.awayGoals + input.awayExtra.value_or(0);
    if (penalties.given && home == away) {
        input.homePenalties = penalties.home;
        input.awayPenalties = penalties.away;
    }
    return input;
}

}  // namespace matches
