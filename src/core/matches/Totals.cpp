#include "matches/Totals.h"

namespace matches {

void addCount(EntryTotals& totals, const SideCount& side)
{
    ++totals.played;
    switch (side.verdict) {
    case Verdict::Won:
        ++totals.won;
        break;
    case Verdict::Drawn:
        ++totals.drawn;
        break;
    case Verdict::Lost:
        ++totals.lost;
        break;
    }
    totals.goalsFor += side.goalsFor;
    totals.goalsAgainst += side.goalsAgainst;
    totals.matchPoints += side.points;
}

QList<EntryTotals> entryTotals(const Calendar& calendar, int entryCount, const Withdrawn& withdrawn)
{
    QList<EntryTotals> totals(qMax(0, entryCount));
    const auto known = [entryCount](int entry) { return entry >= 1 && entry <= entryCount; };
    for (const Match& match : calendar.matches) {
        const Count count = countMatch(match, calendar.rules, withdrawn);
        if (count.counts) {
            if (known(match.home))
                addCount(totals[match.home - 1], count.home);
            if (known(match.away))
                addCount(totals[match.away - 1], count.away);
        } else if (isPending(match, calendar.rules, withdrawn)) {
            if (known(match.home))
                ++totals[match.home - 1].pending;
            if (known(match.away))
                ++totals[match.away - 1].pending;
        }
    }
    for (const Deduction& deduction : calendar.deductions) {
        if (known(deduction.entry))
            totals[deduction.entry - 1].deducted += deduction.points;
    }
    return totals;
}

}  // namespace matches
