#include "matches/WriteBack.h"

#include "app/Formats.h"
#include "matches/Listing.h"

#include "storage/TournamentRecord.h"
#include "tournament/Points.h"

#include <algorithm>

namespace matches {

namespace {

constexpr int gareCapacity = TournamentRecord::Layout.capacityOf("Gare");
const QString lineBreak = QStringLiteral("\r\n");

QString leftOutLine(qsizetype count)
{
    return count == 1 ? QStringLiteral("(1 gara precedente non riportata)")
                      : QStringLiteral("(%1 gare precedenti non riportate)").arg(count);
}

// Entries' counted matches, each list in calendar order.
QList<QList<const Match*>> matchesByEntry(const Calendar& calendar, int entryCount)
{
    QList<QList<const Match*>> byEntry(entryCount);
    for (const Match* match : inCalendarOrder(calendar)) {
        for (int entry : {match->home, match->away}) {
            if (entry >= 1 && entry <= entryCount && match->home != match->away)
                byEntry[entry - 1].append(match);
        }
    }
    return byEntry;
}

QString linesFor(const QList<const Match*>& matches, const Calendar& calendar, int entry, const QStringList& names,
                 const Withdrawn& withdrawn)
{
    QStringList lines;
    for (const Match* match : matches) {
        const Count count = countMatch(*match, calendar.rules, withdrawn);
        if (!count.counts)
            continue;
        const int opponent = match->home == entry ? match->away : match->home;
        lines.append(matchLine(*match, entry, names.value(opponent - 1), count));
    }
    // Length of the lines from `first` on, joined.
    qsizetype kept = lines.isEmpty() ? 0 : -lineBreak.size();
    for (const QString& line : std::as_const(lines))
        kept += line.size() + lineBreak.size();
    if (kept <= gareCapacity)
        return lines.join(lineBreak);
    qsizetype dropped = 0;
    while (dropped < lines.size()) {
        kept -= lines[dropped].size() + lineBreak.size();
        ++dropped;
        if (leftOutLine(dropped).size() + lineBreak.size() + kept <= gareCapacity)
            break;
    }
    return (QStringList{leftOutLine(dropped)} + lines.mid(dropped)).join(lineBreak);
}

QStringList namesIn(const RecordFile& file)
{
    QStringList names;
    file.scan([&](qint64, QByteArrayView bytes) {
        names.append(TournamentRecord::Layout.readField(bytes, 0));
        return true;
    });
    return names;
}

}  // namespace

QString matchLine(const Match& match, int entry, const QString& opponent, const Count& count)
{
    const bool home = match.home == entry;
    const SideCount& side = home ? count.home : count.away;
    QString line;
    if (match.date.isValid())
        line = formats::dateText(match.date) + QLatin1Char(' ');
    line += QStringLiteral("%1 (%2) %3-%4").arg(opponent, home ? QStringLiteral("casa") : QStringLiteral("fuori"))
                .arg(side.goalsFor)
                .arg(side.goalsAgainst);
    if (match.status == Status::Tavolino || count.changedByWithdrawal)
        line += QStringLiteral(" a tavolino");
    else if (match.homePenalties && match.awayPenalties)
        line += QStringLiteral(" (rigori %1-%2)")
                    .arg(home ? *match.homePenalties : *match.awayPenalties)
                    .arg(home ? *match.awayPenalties : *match.homePenalties);
    else if (match.homeExtra || match.awayExtra)
        line += QStringLiteral(" d.t.s.");
    if (!match.isKnockout())
        line += QStringLiteral(" punti %1").arg(side.points);
    return line;
}

QString matchLines(const Calendar& calendar, int entry, const QStringList& names, const Withdrawn& withdrawn)
{
    const int entryCount = std::max<int>(entry, int(names.size()));
    return linesFor(matchesByEntry(calendar, entryCount).value(entry - 1), calendar, entry, names, withdrawn);
}

QList<RecordFile::Change> entryChanges(const QString& tournamentPath, const Calendar& calendar,
                                       const Withdrawn& withdrawn)
{
    QList<RecordFile::Change> changes;
    if (!calendar.rules.pointsFromResults)
        return changes;
    const RecordFile file(tournamentPath, TournamentRecord::Size);
    const QStringList names = namesIn(file);
    const int count = int(names.size());
    const QList<EntryTotals> totals = entryTotals(calendar, count, withdrawn);
    const QList<QList<const Match*>> byEntry = matchesByEntry(calendar, count);
    file.scan([&](qint64 position, QByteArrayView bytes) {
        // Only the three computed fields are written; every other byte stays as it was.
        const int entry = int(position);
        QByteArray updated = bytes.toByteArray();
        const auto put = [&updated](std::string_view field, const QString& text) {
            writeText(updated.data() + TournamentRecord::Layout.offsetOf(field),
                      TournamentRecord::Layout.capacityOf(field), TextEncoding::ZeroTerminated, text);
        };
        put("Gare", linesFor(byEntry[entry - 1], calendar, entry, names, withdrawn));
        put("Punteggio", pointsNormalForm(QString::number(totals[entry - 1].points())));
        put("Completato", yesNoText(totals[entry - 1].pending == 0));
        if (updated != bytes) {
            const QByteArray before = bytes.toByteArray();
            changes.append({position, updated, [before](QByteArrayView current) { return current == before; }});
        }
        return true;
    });
    return changes;
}

int writeBack(const QString& tournamentPath, const Calendar& calendar, const Withdrawn& withdrawn)
{
    const QList<RecordFile::Change> changes = entryChanges(tournamentPath, calendar, withdrawn);
    if (changes.isEmpty())
        return 0;
    RecordFile file(tournamentPath, TournamentRecord::Size);
    file.writeAll(QByteArray(), changes);
    file.close();
    return int(changes.size());
}

void saveAndWriteBack(const QString& tournamentPath, StoredCalendar& calendar, const Withdrawn& withdrawn)
{
    saveCalendar(tournamentPath, calendar);
    writeBack(tournamentPath, calendar.calendar, withdrawn);
}

int refreshEntries(const QString& tournamentPath, const Withdrawn& withdrawn)
{
    if (!hasCalendar(tournamentPath))
        return 0;
    const StoredCalendar stored = readCalendar(tournamentPath);
    return writeBack(tournamentPath, stored.calendar, withdrawn);
}

QStringList entryNames(const QString& tournamentPath)
{
    return namesIn(RecordFile(tournamentPath, TournamentRecord::Size));
}

QString computedFieldsNote()
{
    return QStringLiteral(
        "Punteggio, gare e completamento sono calcolati dai risultati del calendario: si modificano dal "
        "calendario.");
}

}  // namespace matches
