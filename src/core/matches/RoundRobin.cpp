#include "matches/RoundRobin.h"

namespace matches {

int roundsPerLeg(int count)
{
    if (count < 2)
        return 0;
    return count % 2 == 0 ? count - 1 : count;
}

QList<Match> roundRobin(const QList<int>& entries, ReturnLeg returnLeg, int firstNumber, int firstRound,
                        const QString& group)
{
    QList<Match> matches;
    if (entries.size() < 2)
        return matches;
    // An odd count plays against a rest (entry 0), which takes the fixed place.
    QList<int> teams = entries;
    if (teams.size() % 2 != 0)
        teams.append(0);
    const int n = int(teams.size());
    const int turning = n - 1;
    const int fixed = teams.last();

    // One leg: round k pairs the fixed team with team r = k * n/2 (mod n - 1), the fixed team at
    // home in odd rounds, and team r + i at home against r - i.
    QList<QList<std::pair<int, int>>> rounds;
    for (int k = 0; k < turning; ++k) {
        const int r = (k * (n / 2)) % turning;
        QList<std::pair<int, int>> pairs;
        if (k % 2 == 0)
            pairs.append({teams[r], fixed});
        else
            pairs.append({fixed, teams[r]});
        for (int i = 1; i < n / 2; ++i)
            pairs.append({teams[(r + i) % turning], teams[(r - i + turning) % turning]});
        rounds.append(pairs);
    }

    int number = firstNumber;
    const auto add = [&](int round, int leg, int home, int away) {
        Match match;
        match.number = number++;
        match.round = round;
        match.leg = leg;
        match.group = group;
        // A rest is kept with the resting team first.
        match.home = home == 0 ? away : home;
        match.away = home == 0 ? 0 : away;
        matches.append(match);
    };
    for (int k = 0; k < turning; ++k) {
        for (const auto& [home, away] : std::as_const(rounds[k]))
            add(firstRound + k, 1, home, away);
    }
    if (returnLeg == ReturnLeg::None)
        return matches;
    // The asymmetric return leg starts halfway through the first leg's order, so that no pair meets
    // again soon after the first time.
    const int shift = returnLeg == ReturnLeg::Asymmetric ? turning / 2 : 0;
    for (int k = 0; k < turning; ++k) {
        for (const auto& [home, away] : std::as_const(rounds[(k + shift) % turning]))
            add(firstRound + turning + k, 2, away, home);
    }
    return matches;
}

}  // namespace matches
