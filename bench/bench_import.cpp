// Importing a season of 10 000 players from a spreadsheet against writing the same records through
// the archive writer, side by side: in one locked write of all of them (the least the import could
// cost) and one record at a time, as the editor saves them. Run with
//   bench_import --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
// and divide the import's median by the writer's. bench_import_runs compares the same as whole
// processes. The spreadsheets: see ImportSeason.h.
#include "ImportSeason.h"

#include "import/ImportPlan.h"
#include "import/SheetFile.h"
#include "players/PlayerImport.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr int Players = 10000;

ImportSeason& season()
{
    static ImportSeason made(Players);
    return made;
}

void freshArchive(benchmark::State& state)
{
    state.PauseTiming();
    QFile::remove(season().archive);
    state.ResumeTiming();
}

void writeRecords(benchmark::State& state)
{
    ImportSeason& s = season();
    for (auto _ : state) {
        freshArchive(state);
        RecordFile file(s.archive, playerImport::archive().format.size);
        file.writeAll(s.records);
        file.close();
    }
    state.counters["records"] = double(s.records.size() / playerImport::archive().format.size);
}
BENCHMARK(writeRecords)->Unit(benchmark::kMillisecond);

void appendRecords(benchmark::State& state)
{
    ImportSeason& s = season();
    const int size = playerImport::archive().format.size;
    for (auto _ : state) {
        freshArchive(state);
        RecordFile file(s.archive, size);
        for (qsizetype at = 0; at < s.records.size(); at += size)
            file.append(s.records.mid(at, size));
        file.close();
    }
}
BENCHMARK(appendRecords)->Unit(benchmark::kMillisecond)->Iterations(1);

void importFile(benchmark::State& state, const QString& path)
{
    ImportSeason& s = season();
    qint64 added = 0;
    for (auto _ : state) {
        freshArchive(state);
        const importPlan::Plan plan = s.import(path);
        importPlan::commit(plan, s.archive, playerImport::archive().format);
        added = plan.added;
    }
    state.counters["records"] = double(added);
}
void importCsv(benchmark::State& state) { importFile(state, season().csv); }
void importXlsx(benchmark::State& state) { importFile(state, season().xlsx); }
BENCHMARK(importCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(importXlsx)->Unit(benchmark::kMillisecond);

// Where an import's time goes: reading the file into rows, then making the rows records.
void readSheet(benchmark::State& state, const QString& path)
{
    qsizetype rows = 0;
    for (auto _ : state)
        rows = sheetFile::read(path).sheet.rows.size();
    state.counters["rows"] = double(rows);
}
void readCsv(benchmark::State& state) { readSheet(state, season().csv); }
void readXlsx(benchmark::State& state) { readSheet(state, season().xlsx); }
BENCHMARK(readCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(readXlsx)->Unit(benchmark::kMillisecond);

void analyseRows(benchmark::State& state)
{
    ImportSeason& s = season();
    const sheetImport::Archive& players = playerImport::archive();
    const sheetFile::Loaded loaded = sheetFile::read(s.csv);
    const columnMatch::Mapping mapping = columnMatch::match(players, loaded.sheet.rows.first());
    QFile::remove(s.archive);
    for (auto _ : state) {
        const importPlan::Plan plan = importPlan::analyse(players, loaded.sheet, mapping, importPlan::Duplicates::Skip,
                                                          s.archive, QDate(2026, 12, 10));
        benchmark::DoNotOptimize(plan.additions.data());
    }
}
BENCHMARK(analyseRows)->Unit(benchmark::kMillisecond);

}  // namespace

// An application object, so that the workbook plugin is found beside the program.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
