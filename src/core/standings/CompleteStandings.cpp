#include "standings/CompleteStandings.h"

#include "matches/Totals.h"

#include <QHash>
#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

namespace standings {
namespace {

// One side of a counted match, as the team sees it; totals add it up as the calendar's do.
struct Half {
    int team;  // index into the input's teams
    int opponent;
    matches::SideCount side;
};

matches::SideCount sideOf(int goalsFor, int goalsAgainst, int points, int outcome)
{
    const matches::Verdict verdict =
        outcome > 0 ? matches::Verdict::Won : outcome < 0 ? matches::Verdict::Lost : matches::Verdict::Drawn;
    return {goalsFor, goalsAgainst, points, verdict};
}

// What set two neighbours apart: the criterion and each one's value, as shown.
struct Split {
    Criterion criterion;
    QString above;
    QString below;
};

// Teams still level after everything that could tell them apart; one team when settled.
struct Block {
    QList<int> teams;
    bool playOff = false;
    bool lotNeeded = false;
};

QString joined(const QStringList& names)
{
    if (names.size() <= 1)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") + names.last();
}

QList<int> sorted(QList<int> positions)
{
    std::sort(positions.begin(), positions.end());
    return positions;
}

class Engine {
public:
    explicit Engine(const StandingsInput& input) : m_input(input)
    {
        for (int i = 0; i < m_input.teams.size(); ++i)
            m_index.insert(m_input.teams[i].position, i);
        for (const CountedResult& result : m_input.results) {
            const auto home = m_index.constFind(result.home);
            const auto away = m_index.constFind(result.away);
            if (home == m_index.cend() || away == m_index.cend())
                continue;
            if (m_input.side != Side::Away)
                m_halves.append({*home, *away, sideOf(result.homeGoals, result.awayGoals, result.homePoints, result.outcome)});
            if (m_input.side != Side::Home)
                m_halves.append({*away, *home, sideOf(result.awayGoals, result.homeGoals, result.awayPoints, -result.outcome)});
        }
        m_totals.resize(m_input.teams.size());
        for (const Half& half : m_halves)
            matches::addCount(m_totals[half.team], half.side);
        if (m_input.side == Side::All) {
            for (int i = 0; i < m_input.teams.size(); ++i)
                m_totals[i].deducted = m_input.teams[i].deduction;
        }
        m_lotUsed.fill(false, m_input.lots.size());
    }

    StandingsTable run()
    {
        QList<int> all(m_input.teams.size());
        std::iota(all.begin(), all.end(), 0);
        std::stable_sort(all.begin(), all.end(), [&](int a, int b) { return m_totals[a].points() > m_totals[b].points(); });
        StandingsTable table;
        int place = 1;
        for (int from = 0; from < all.size();) {
            int to = from + 1;
            while (to < all.size() && m_totals[all[to]].points() == m_totals[all[from]].points())
                ++to;
            QList<Block> blocks;
            QList<Split> splits;
            settle(all.mid(from, to - from), place, blocks, splits, table);
            appendRows(blocks, splits, place, table);
            place += to - from;
            from = to;
        }
        if (m_input.side == Side::All) {
            for (int i = 0; i < m_input.lots.size(); ++i) {
                if (m_lotUsed[i] || !allKnown(m_input.lots[i].order))
                    continue;
                table.staleLots.append(m_input.lots[i]);
                table.notes.append(QStringLiteral("Il sorteggio tra %1 non vale pi\u00F9: le squadre a pari merito sono cambiate.")
                                       .arg(joined(names(m_input.lots[i].order))));
            }
        }
        return table;
    }

private:
    bool allKnown(const QList<int>& positions) const
    {
        return std::all_of(positions.begin(), positions.end(), [&](int position) { return m_index.contains(position); });
    }

    QStringList names(const QList<int>& positions) const
    {
        QStringList list;
        for (int position : positions)
            list.append(m_input.teams[m_index.value(position)].name);
        return list;
    }

    // Each team's value under the criterion, higher better, and as shown.
    std::pair<QList<int>, QStringList> values(Criterion criterion, const QList<int>& group) const
    {
        QList<int> rank;
        QStringList shown;
        QHash<int, matches::EntryTotals> among;
        if (amongTied(criterion)) {
            for (const Half& half : m_halves) {
                if (group.contains(half.team) && group.contains(half.opponent))
                    matches::addCount(among[half.team], half.side);
            }
        }
        for (int team : group) {
            const matches::EntryTotals& overall = m_totals[team];
            const matches::EntryTotals mini = among.value(team);
            int value = 0;
            bool lowerIsBetter = false;
            bool difference = false;
            switch (criterion) {
            case Criterion::HeadToHeadPoints: value = mini.points(); break;
            case Criterion::HeadToHeadGoalDifference: value = mini.goalsFor - mini.goalsAgainst; difference = true; break;
            case Criterion::HeadToHeadGoalsScored: value = mini.goalsFor; break;
            case Criterion::GoalDifference: value = overall.goalsFor - overall.goalsAgainst; difference = true; break;
            case Criterion::GoalsScored: value = overall.goalsFor; break;
            case Criterion::FewerConceded: value = overall.goalsAgainst; lowerIsBetter = true; break;
            case Criterion::Wins: value = overall.won; break;
            case Criterion::FairPlay: value = m_input.teams[team].fairPlay; lowerIsBetter = true; break;
            case Criterion::DrawByLot: break;
            }
            rank.append(lowerIsBetter ? -value : value);
            shown.append(difference ? signedNumber(value) : QString::number(value));
        }
        return {rank, shown};
    }

    bool acrossDecidingPlace(int firstPlace, qsizetype count) const
    {
        return std::any_of(m_input.decidingPlaces.begin(), m_input.decidingPlaces.end(),
                           [&](int place) { return firstPlace <= place && place + 1 <= firstPlace + count - 1; });
    }

    // Orders `group` (level on points, or on everything tried so far) from the criterion at
    // `from` on. A criterion that splits the group starts again from the first criterion in each
    // part, so that the head-to-head ones are computed among the teams still level.
    void settle(const QList<int>& group, int firstPlace, QList<Block>& blocks, QList<Split>& splits, StandingsTable& table)
    {
        if (group.size() == 1) {
            blocks.append(Block{group});
            return;
        }
        for (Criterion criterion : m_input.criteria) {
            if (criterion == Criterion::DrawByLot) {
                drawByLot(group, firstPlace, blocks, splits, table);
                return;
            }
            const auto [rank, shown] = values(criterion, group);
            if (std::all_of(rank.begin(), rank.end(), [&](int value) { return value == rank.front(); }))
                continue;
            QList<int> order(group.size());
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rank[a] > rank[b]; });
            int place = firstPlace;
            for (qsizetype from = 0; from < order.size();) {
                qsizetype to = from + 1;
                while (to < order.size() && rank[order[to]] == rank[order[from]])
                    ++to;
                if (from > 0)
                    splits.append(Split{criterion, shown[order[from - 1]], shown[order[from]]});
                QList<int> part;
                for (qsizetype i = from; i < to; ++i)
                    part.append(group[order[i]]);
                settle(part, place, blocks, splits, table);
                place += int(to - from);
                from = to;
            }
            return;
        }
        blocks.append(Block{group, acrossDecidingPlace(firstPlace, group.size())});
    }

    void drawByLot(const QList<int>& group, int firstPlace, QList<Block>& blocks, QList<Split>& splits, StandingsTable& table)
    {
        // A place that decides promotion or qualification is not left to chance.
        if (acrossDecidingPlace(firstPlace, group.size())) {
            blocks.append(Block{group, true});
            return;
        }
        if (m_input.side != Side::All) {
            blocks.append(Block{group});
            return;
        }
        QList<int> positions;
        for (int team : group)
            positions.append(m_input.teams[team].position);
        for (int i = 0; i < m_input.lots.size(); ++i) {
            if (sorted(m_input.lots[i].order) != sorted(positions))
                continue;
            m_lotUsed[i] = true;
            for (int k = 0; k < m_input.lots[i].order.size(); ++k) {
                if (k > 0)
                    splits.append(Split{Criterion::DrawByLot, {}, {}});
                blocks.append(Block{{m_index.value(m_input.lots[i].order[k])}});
            }
            return;
        }
        table.drawsNeeded.append(positions);
        blocks.append(Block{group, false, true});
    }

    QString reasonAgainst(int team, int other, const Split& split, bool above) const
    {
        QString reason = m_input.teams[team].name + (above ? QStringLiteral(" davanti a ") : QStringLiteral(" dietro a "))
                         + m_input.teams[other].name + QStringLiteral(": ") + criterionName(split.criterion);
        if (split.criterion != Criterion::DrawByLot)
            reason += QLatin1Char(' ') + (above ? split.above : split.below) + u'\u2013' + (above ? split.below : split.above);
        return reason;
    }

    void appendRows(const QList<Block>& blocks, const QList<Split>& splits, int firstPlace, StandingsTable& table) const
    {
        int place = firstPlace;
        for (qsizetype b = 0; b < blocks.size(); ++b) {
            const Block& block = blocks[b];
            for (int team : block.teams) {
                const TeamInput& input = m_input.teams[team];
                const matches::EntryTotals& totals = m_totals[team];
                StandingsRow row;
                row.place = place;
                row.position = input.position;
                row.name = input.name;
                row.points = totals.points();
                row.played = totals.played;
                row.won = totals.won;
                row.drawn = totals.drawn;
                row.lost = totals.lost;
                row.goalsFor = totals.goalsFor;
                row.goalsAgainst = totals.goalsAgainst;
                row.deduction = m_input.side == Side::All ? input.deduction : 0;
                row.fairPlay = input.fairPlay;
                row.playOff = block.playOff;
                if (block.teams.size() > 1) {
                    QStringList others;
                    for (int other : block.teams) {
                        if (other != team)
                            others.append(m_input.teams[other].name);
                    }
                    row.reason = input.name + QStringLiteral(" pari con ") + joined(others);
                    if (block.playOff)
                        row.reason += QStringLiteral(": spareggio");
                    else if (block.lotNeeded)
                        row.reason += QStringLiteral(": sorteggio da fare");
                } else if (b + 1 < blocks.size()) {
                    row.reason = reasonAgainst(team, blocks[b + 1].teams.front(), splits[b], true);
                } else if (b > 0) {
                    row.reason = reasonAgainst(team, blocks[b - 1].teams.back(), splits[b - 1], false);
                }
                table.rows.append(row);
            }
            place += int(block.teams.size());
        }
    }

    const StandingsInput& m_input;
    QHash<int, int> m_index;  // entry position -> index in the input's teams
    QList<Half> m_halves;
    QList<matches::EntryTotals> m_totals;
    QList<bool> m_lotUsed;
};

}  // namespace

StandingsTable computeStandings(const StandingsInput& input)
{
    return Engine(input).run();
}

Lot drawLot(const QList<int>& teams)
{
    Lot lot{teams};
    std::shuffle(lot.order.begin(), lot.order.end(), *QRandomGenerator::global());
    return lot;
}

QList<QStringList> crossTable(const QList<int>& positions, const QList<CountedResult>& results)
{
    QList<QStringList> cells(positions.size(), QStringList(positions.size()));
    for (const CountedResult& result : results) {
        const qsizetype row = positions.indexOf(result.home);
        const qsizetype column = positions.indexOf(result.away);
        if (row < 0 || column < 0 || row == column)
            continue;
        QString& cell = cells[row][column];
        if (!cell.isEmpty())
            cell += QLatin1Char(' ');
        cell += QString::number(result.homeGoals) + QLatin1Char('-') + QString::number(result.awayGoals);
    }
    return cells;
}

QString signedNumber(int value)
{
    if (value > 0)
        return QLatin1Char('+') + QString::number(value);
    if (value < 0)
        return QChar(u'\u2212') + QString::number(-value);
    return QStringLiteral("0");
}

}  // namespace standings
