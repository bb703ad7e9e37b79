// The calendar's costs beside their yardsticks, each pair measured in the same iteration so that
// the load of the machine weighs on both alike; the counters are medians in milliseconds and
// their ratio. Run with
//   bench_matches --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// The folder is the system's temporary folder unless GOLVERA_BENCH_DIR says.
//
//   bench_matches --fixture DIR
// writes DIR/Coppa.vai (64 entries) and DIR/Coppa.cal with 100 000 matches, for timing
//   farm-bench -n 9 -- golvera-cli calendario DIR/Coppa.vai --vs 'cat DIR/Coppa.cal'
#include "editor/RecordEditing.h"
#include "matches/CalendarFile.h"
#include "matches/Plan.h"
#include "matches/Results.h"
#include "matches/WriteBack.h"
#include "storage/RecordFile.h"
#include "storage/TournamentRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace matches;

namespace {

QString benchFolder()
{
    const QByteArray chosen = qgetenv("GOLVERA_BENCH_DIR");
    return chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

QByteArray entries(int count)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) {
        TournamentRecord record;
        record.Concorrente = QStringLiteral("Squadra %1").arg(n);
        record.Punteggio = QStringLiteral("0,00");
        bytes += record.toBytes();
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

Plan roundRobinPlan(int teams)
{
    Plan plan;
    plan.entryCount = teams;
    for (int n = 1; n <= teams; ++n)
        plan.entries.append(n);
    plan.returnLeg = ReturnLeg::Mirrored;
    plan.schedule.first = QDate(2026, 9, 6);
    plan.schedule.times = {QTime(20, 30)};
    return plan;
}

// A calendar of about `matches` matches over `teams` entries, every other one played.
void writeCalendar(const QString& tournament, int teams, int matches)
{
    writeFile(tournament, entries(teams));
    QRandomGenerator random(1);
    StoredCalendar stored;
    const Calendar one = makeCalendar(roundRobinPlan(teams), {}, random).calendar;
    while (stored.calendar.matches.size() < matches) {
        for (Match match : one.matches) {
            if (stored.calendar.matches.size() >= matches)
                break;
            match.number = int(stored.calendar.matches.size()) + 1;
            match.round += int(stored.calendar.matches.size() / one.matches.size()) * one.lastRound();
            if (match.number % 2 == 0) {
                match.status = Status::Giocata;
                match.homeGoals = match.number % 4;
                match.awayGoals = match.number % 3;
            }
            stored.calendar.matches.append(match);
        }
    }
    stored.calendar.rules.pointsFromResults = true;
    saveCalendar(tournament, stored);
    writeBack(tournament, stored.calendar);
}

// Making and writing a double round robin of 64 teams (4 032 matches), beside writing as many
// tournament records through the archive writer.
void makeAndWrite64(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    std::vector<double> made, archive;
    int run = 0;
    const QByteArray records = entries(1).repeated(4032);
    for (auto _ : state) {
        const QString tournament = dir.filePath(QStringLiteral("T%1.vai").arg(++run));
        QElapsedTimer clock;
        clock.start();
        QRandomGenerator random(run);
        StoredCalendar stored;
        stored.calendar = makeCalendar(roundRobinPlan(64), {}, random).calendar;
        saveCalendar(tournament, stored);
        made.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        RecordFile file(dir.filePath(QStringLiteral("A%1.vai").arg(run)), TournamentRecord::Size);
        file.writeAll(records);
        file.close();
        archive.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["calendar_ms"] = median(made);
    state.counters["archive_ms"] = median(archive);
    state.counters["ratio"] = median(made) / median(archive);
}
BENCHMARK(makeAndWrite64)->Unit(benchmark::kMillisecond)->Iterations(9);

// After one result of a 10 000-match calendar: every entry computed again (the write-back's
// reading and computing, nothing to write), beside reading the calendar file.
void recomputeAfterResult(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString tournament = dir.filePath(QStringLiteral("Coppa.vai"));
    writeCalendar(tournament, 64, 10000);
    const Calendar calendar = readCalendar(tournament).calendar;
    std::vector<double> recompute, reading;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        benchmark::DoNotOptimize(entryChanges(tournament, calendar));
        recompute.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        benchmark::DoNotOptimize(readCalendar(tournament));
        reading.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["recompute_ms"] = median(recompute);
    state.counters["read_ms"] = median(reading);
    state.counters["ratio"] = median(recompute) / median(reading);
}
BENCHMARK(recomputeAfterResult)->Unit(benchmark::kMillisecond)->Iterations(9);

// The whole save of a result (the calendar's record, then the entries in one batch, flushed),
// beside the save of one entry in the entry editor.
void saveOfAResult(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString tournament = dir.filePath(QStringLiteral("Lega.vai"));
    writeCalendar(tournament, 20, 380);
    StoredCalendar stored = readCalendar(tournament);
    const QString single = dir.filePath(QStringLiteral("Coppa.vai"));
    recordEditing::save(single, entries(1), QString());
    std::vector<double> result, entry;
    int n = 0;
    for (auto _ : state) {
        ++n;
        const int number = 1 + (2 * n - 1) % 380;  // an odd match: not played yet
        QElapsedTimer clock;
        clock.start();
        recordResult(stored.calendar, number, {n % 5, n % 3}, 20);
        saveAndWriteBack(tournament, stored);
        result.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        TournamentRecord record;
        record.Concorrente = QStringLiteral("Squadra %1").arg(n);
        recordEditing::save(single, record.toBytes(), QStringLiteral("1"));
        entry.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["result_ms"] = median(result);
    state.counters["entry_ms"] = median(entry);
    state.counters["ratio"] = median(result) / median(entry);
}
BENCHMARK(saveOfAResult)->Unit(benchmark::kMillisecond)->Iterations(25);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--fixture") == 0) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(folder);
        writeCalendar(QDir(folder).filePath(QStringLiteral("Coppa.vai")), 64, 100000);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
