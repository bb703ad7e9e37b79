#include "standings/CalendarStandings.h"

#include "matches/Counting.h"
#include "output/ArchiveScan.h"
#include "storage/ArchiveError.h"
#include "storage/Cp1252.h"
#include "storage/TextField.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"

#include <QCollator>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace standings {

QStringList entryNames(const QString& tournamentPath)
{
    constexpr auto Layout = TournamentRecord::Layout;
    constexpr int NameOffset = Layout.offsetOf("Concorrente");
    constexpr int NameCapacity = Layout.capacityOf("Concorrente");
    static constexpr int Touched[] = {NameOffset};
    QStringList names;
    const QString error = archiveScan::visit(tournamentPath, TournamentRecord::Size, [&](qint64, QByteArrayView record) {
        names.append(cp1252::decode(trimControls(storedText(record.data() + NameOffset, NameCapacity, Layout.encoding))));
    }, Touched);
    if (!error.isEmpty())
        throw ArchiveError(error.toStdString());
    return names;
}

QList<Criterion> criteria(const matches::TieBreakSettings& settings, QString* error)
{
    if (settings.criteria.isEmpty())
        return defaultCriteria();
    QList<Criterion> list;
    for (const QString& key : settings.criteria) {
        bool ok = false;
        const Criterion criterion = criterionFromKey(key, &ok);
        if (!ok) {
            *error = QStringLiteral("Criterio per gli arrivi a pari punti sconosciuto: \"%1\".").arg(key);
            return {};
        }
        list.append(criterion);
    }
    *error = checkCriteria(list);
    return list;
}

QStringList standingsGroups(const matches::Calendar& calendar)
{
    QStringList groups;
    for (const matches::Match& match : calendar.matches) {
        if (match.phase == matches::Phase::RoundRobin && !groups.contains(match.group))
            groups.append(match.group);
    }
    for (const matches::GroupSlot& slot : calendar.draw) {
        if (!groups.contains(slot.group))
            groups.append(slot.group);
    }
    if (groups.isEmpty())
        groups.append(QString());
    return groups;
}

StandingsInput standingsInput(const matches::Calendar& calendar, const QStringList& names, const QString& group,
                              const matches::Withdrawn& withdrawn, Side side)
{
    StandingsInput input;
    input.side = side;
    QString error;
    input.criteria = criteria(calendar.tieBreak, &error);
    input.decidingPlaces = calendar.tieBreak.decidingPlaces;
    // The group's teams: those of its draw and of its matches; without groups or matches, every entry.
    QList<int> teams;
    const auto take = [&](int entry) {
        if (entry > 0 && entry <= names.size() && !teams.contains(entry) && !withdrawn.contains(entry))
            teams.append(entry);
    };
    for (const matches::GroupSlot& slot : calendar.draw) {
        if (slot.group == group)
            take(slot.entry);
    }
    QSet<int> groupMatches;
    for (const matches::Match& match : calendar.matches) {
        if (match.phase != matches::Phase::RoundRobin || match.group != group)
            continue;
        groupMatches.insert(match.number);
        take(match.home);
        take(match.away);
        const matches::Count count = matches::countMatch(match, calendar.rules, withdrawn);
        if (!count.counts)
            continue;
        CountedResult result{match.home, match.away, count.home.goalsFor, count.away.goalsFor, count.home.points,
                             count.away.points};
        result.outcome = count.home.verdict == matches::Verdict::Won ? 1 : count.home.verdict == matches::Verdict::Lost ? -1 : 0;
        input.results.append(result);
    }
    if (teams.isEmpty() && group.isEmpty()) {
        for (int entry = 1; entry <= names.size(); ++entry)
            take(entry);
    }
    std::sort(teams.begin(), teams.end());
    QHash<int, int> deducted;
    for (const matches::Deduction& deduction : calendar.deductions)
        deducted[deduction.entry] += deduction.points;
    QHash<int, int> fairPlay;
    for (const matches::FairPlayPoints& points : calendar.fairPlay) {
        if (groupMatches.contains(points.match))
            fairPlay[points.entry] += points.points;
    }
    for (int entry : teams)
        input.teams.append({entry, names.value(entry - 1), deducted.value(entry), fairPlay.value(entry)});
    for (const matches::StoredLot& lot : calendar.lots) {
        if (lot.group == group)
            input.lots.append(Lot{lot.order});
    }
    return input;
}

StandingsTable settleStandings(matches::Calendar& calendar, const QStringList& names, const QString& group,
                               const matches::Withdrawn& withdrawn, bool* drawn)
{
    *drawn = false;
    StandingsTable table = computeStandings(standingsInput(calendar, names, group, withdrawn));
    if (table.drawsNeeded.isEmpty())
        return table;
    const QStringList staleNotes = table.notes;
    for (const QList<int>& teams : std::as_const(table.drawsNeeded))
        calendar.lots.append({group, drawLot(teams).order});
    // Draws that no longer apply are said so once, in the standings that make the new ones.
    calendar.lots.removeIf(
        [&](const matches::StoredLot& lot) { return lot.group == group && table.staleLots.contains(Lot{lot.order}); });
    *drawn = true;
    table = computeStandings(standingsInput(calendar, names, group, withdrawn));
    for (const QString& note : staleNotes) {
        if (!table.notes.contains(note))
            table.notes.prepend(note);
    }
    return table;
}

QList<ScorerTotal> topScorers(const matches::Calendar& calendar, const QStringList& names, const matches::Withdrawn& withdrawn)
{
    // Goals on the field only: a forfeit's awarded score has no scorers, an annulled match no goals.
    QSet<int> played;
    for (const matches::Match& match : calendar.matches) {
        if (match.status == matches::Status::Giocata && matches::countMatch(match, calendar.rules, withdrawn).counts)
            played.insert(match.number);
    }
    QList<ScorerTotal> totals;
    QHash<QString, qsizetype> index;  // player and team -> place in totals
    for (const matches::Scorer& scorer : calendar.scorers) {
        if (!played.contains(scorer.match))
            continue;
        const QString team = names.value(scorer.entry - 1);
        const QString key = scorer.player.trimmed().toCaseFolded() + QChar(0) + QString::number(scorer.entry);
        auto at = index.constFind(key);
        if (at == index.cend()) {
            at = index.insert(key, totals.size());
            totals.append({scorer.player.trimmed(), team, 0});
        }
        totals[*at].goals += scorer.goals;
    }
    QCollator collator(QLocale(QLocale::Italian));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(totals.begin(), totals.end(), [&](const ScorerTotal& a, const ScorerTotal& b) {
        if (a.goals != b.goals)
            return a.goals > b.goals;
        return collator.compare(a.player, b.player) < 0;
    });
    return totals;
}

}  // namespace standings
