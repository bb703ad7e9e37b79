#include "matches/Counting.h"

namespace matches {

namespace {

Verdict verdictOf(int goalsFor, int goalsAgainst)
{
    if (goalsFor > goalsAgainst)
        return Verdict::Won;
    return goalsFor < goalsAgainst ? Verdict::Lost : Verdict::Drawn;
}

int pointsFor(Verdict verdict, const Rules& rules)
{
    switch (verdict) {
    case Verdict::Won:
        return rules.winPoints;
    case Verdict::Drawn:
        return rules.drawPoints;
    case Verdict::Lost:
        return rules.lossPoints;
    }
    return 0;
}

Count played(const Match& match, const Rules& rules)
{
    Count count;
    count.counts = true;
    count.home.goalsFor = count.away.goalsAgainst = match.homeTotal();
    count.away.goalsFor = count.home.goalsAgainst = match.awayTotal();
    count.home.verdict = verdictOf(count.home.goalsFor, count.home.goalsAgainst);
    count.away.verdict = verdictOf(count.away.goalsFor, count.away.goalsAgainst);
    if (match.isKnockout()) {
        const Side winner = match.winner();
        if (winner != Side::None) {
            count.home.verdict = winner == Side::Home ? Verdict::Won : Verdict::Lost;
            count.away.verdict = winner == Side::Away ? Verdict::Won : Verdict::Lost;
        }
        return count;
    }
    count.home.points = pointsFor(count.home.verdict, rules);
    count.away.points = pointsFor(count.away.verdict, rules);
    return count;
}

void lose(SideCount& side, const Rules& rules, bool knockout)
{
    side.goalsFor = rules.forfeitLoserGoals;
    side.goalsAgainst = rules.forfeitWinnerGoals;
    side.verdict = Verdict::Lost;
    if (!knockout)
        side.points = rules.lossPoints - (rules.forfeitDeduction ? 1 : 0);
}

void win(SideCount& side, const Rules& rules, bool knockout)
{
    side.goalsFor = rules.forfeitWinnerGoals;
    side.goalsAgainst = rules.forfeitLoserGoals;
    side.verdict = Verdict::Won;
    if (!knockout)
        side.points = rules.winPoints;
}

Count forfeit(const Match& match, const Rules& rules, Side atFault)
{
    Count count;
    count.counts = true;
    const bool knockout = match.isKnockout();
    if (atFault == Side::Home || atFault == Side::Both)
        lose(count.home, rules, knockout);
    else
        win(count.home, rules, knockout);
    if (atFault == Side::Away || atFault == Side::Both)
        lose(count.away, rules, knockout);
    else
        win(count.away, rules, knockout);
    return count;
}

bool playedBefore(const Match& match, const QDate& withdrawnOn)
{
    if (!match.hasResult())
        return false;
    return !match.date.isValid() || !withdrawnOn.isValid() || match.date < withdrawnOn;
}

bool inFirstLeg(const QDate& withdrawnOn, const Rules& rules)
{
    return !rules.returnLegFrom.isValid() || !withdrawnOn.isValid() || withdrawnOn < rules.returnLegFrom;
}

}  // namespace

Count countMatch(const Match& match, const Rules& rules, const Withdrawn& withdrawn)
{
    if (match.home <= 0 || match.away <= 0 || match.home == match.away)
        return {};

    const auto homeOut = withdrawn.constFind(match.home);
    const auto awayOut = withdrawn.constFind(match.away);
    const bool homeWithdrawn = homeOut != withdrawn.constEnd();
    const bool awayWithdrawn = awayOut != withdrawn.constEnd();
    if (homeWithdrawn || awayWithdrawn) {
        bool annul = rules.withdrawal == Withdrawal::AllAnnulled || (homeWithdrawn && awayWithdrawn);
        if (!annul && rules.withdrawal == Withdrawal::ByLeg)
            annul = inFirstLeg(homeWithdrawn ? *homeOut : *awayOut, rules);
        if (annul || match.status == Status::Annullata) {
            Count none;
            none.changedByWithdrawal = match.hasResult();
            return none;
        }
        const QDate withdrawnOn = homeWithdrawn ? *homeOut : *awayOut;
        if (!playedBefore(match, withdrawnOn)) {
            Count count = forfeit(match, rules, homeWithdrawn ? Side::Home : Side::Away);
            count.changedByWithdrawal = true;
            return count;
        }
    }

    switch (match.status) {
    case Status::Giocata:
        return played(match, rules);
    case Status::Tavolino:
        if (match.atFault == Side::None)
            return {};
        return forfeit(match, rules, match.atFault);
    case Status::DaGiocare:
    case Status::Rinviata:
    case Status::Sospesa:
    case Status::Annullata:
        break;
    }
    return {};
}

bool isPending(const Match& match, const Rules& rules, const Withdrawn& withdrawn)
{
    if (match.status == Status::Annullata || match.hasResult())
        return false;
    if (match.home > 0 && match.away > 0) {
        if (withdrawn.contains(match.home) || withdrawn.contains(match.away))
            return false;
        return !countMatch(match, rules, withdrawn).counts;
    }
    return !match.isRest();
}

}  // namespace matches
