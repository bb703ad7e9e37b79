// What a save costs, and how much of it is the lock that keeps other stations out. Run with
//   bench_archive_save --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
// and read the medians; the folder is the system's temporary folder unless GOLVERA_BENCH_DIR says.
#include "editor/RecordEditing.h"
#include "storage/ArchiveLock.h"
#include "storage/TournamentRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

QString benchFolder()
{
    const QByteArray chosen = qgetenv("GOLVERA_BENCH_DIR");
    return chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
}

QByteArray entry(int n)
{
    TournamentRecord record;
    record.Concorrente = QStringLiteral("Squadra %1").arg(n);
    record.Punteggio = QStringLiteral("%1,00").arg(n);
    return record.toBytes();
}

// Taking and releasing the lock alone.
void lockOnly(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Coppa.vai"));
    for (auto _ : state) {
        const ArchiveLock lock(path);
        benchmark::DoNotOptimize(&lock);
    }
}
BENCHMARK(lockOnly)->Unit(benchmark::kMicrosecond);

// A whole save of an entry in place, as the editor makes it: open, lock, re-read, write, flush,
// unlock, close.
void updateSave(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Coppa.vai"));
    recordEditing::save(path, entry(0), QString());
    int n = 0;
    for (auto _ : state)
        recordEditing::save(path, entry(++n), QStringLiteral("1"));
}
BENCHMARK(updateSave)->Unit(benchmark::kMicrosecond);

// A whole save of a new entry.
void appendSave(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Coppa.vai"));
    int n = 0;
    for (auto _ : state)
        recordEditing::save(path, entry(++n), QString());
}
BENCHMARK(appendSave)->Unit(benchmark::kMicrosecond);

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The lock and a whole save of an entry in place, one after the other in each iteration, so that
// the load of the machine weighs on both alike; the counters are the medians in microseconds.
void lockShareOfSave(benchmark::State& state)
{
    QTemporaryDir dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Coppa.vai"));
    recordEditing::save(path, entry(0), QString());
    std::vector<double> lockTimes;
    std::vector<double> saveTimes;
    int n = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        {
            const ArchiveLock lock(path);
            benchmark::DoNotOptimize(&lock);
        }
        lockTimes.push_back(clock.nsecsElapsed() / 1000.0);
        clock.restart();
        recordEditing::save(path, entry(++n), QStringLiteral("1"));
        saveTimes.push_back(clock.nsecsElapsed() / 1000.0);
    }
    state.counters["lock_us"] = median(lockTimes);
    state.counters["save_us"] = median(saveTimes);
}
BENCHMARK(lockShareOfSave)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
