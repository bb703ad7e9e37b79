// Importing a season of 10 000 players from a spreadsheet against writing the same records through
// the archive writer, side by side: in one locked write of all of them (the least the import could
// cost) and one record at a time, as the editor saves them. Run with
//   bench_import --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
// and divide the import's median by the writer's. The folder is the system's temporary folder
// unless GOLVERA_BENCH_DIR says.
#include "PlayerArchive.h"

#include "import/ImportPlan.h"
#include "import/SheetFile.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "players/PlayerExport.h"
#include "players/PlayerImport.h"
#include "storage/Cp1252.h"
#include "storage/RecordFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Players = 10000;

QString benchFolder()
{
    const QByteArray chosen = qgetenv("GOLVERA_BENCH_DIR");
    return chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
}

// The spreadsheets a secretary would bring: the export's columns and the sex, as a CSV saved with
// a spreadsheet program's usual settings (semicolons, Windows-1252) and as a workbook.
struct Season {
    QTemporaryDir dir{benchFolder() + QStringLiteral("/golvera-bench-XXXXXX")};
    QString csv = dir.filePath(QStringLiteral("rosa.csv"));
    QString xlsx = dir.filePath(QStringLiteral("rosa.xlsx"));
    QString archive = dir.filePath(QStringLiteral("Archivio_Giocatori.pro"));
    QByteArray records;  // what the import writes, for the writer to write

    Season()
    {
        QTemporaryDir source(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
        const QString players = benchPlayers::writeArchive(source.path(), Players);
        spreadsheet::Sheet sheet = playerExport::sheet();
        sheet.columns.append({QStringLiteral("colSesso"), QStringLiteral("Sesso"), 60, 80, QStringLiteral("Sesso")});
        const spreadsheet::Table table = spreadsheet::read(players, playerImport::archive().format, sheet);
        workbook::write(xlsx, sheet, table);
        QFile file(csv);
        file.open(QIODevice::WriteOnly);
        QStringList header;
        for (const spreadsheet::Column& column : sheet.columns)
            header << column.label;
        file.write(cp1252::encode(header.join(QLatin1Char(';')) + QStringLiteral("\r\n")));
        for (qsizetype row = 0; row < table.size(); ++row) {
            QStringList cells;
            for (int column = 0; column < table.columns(); ++column) {
                QString cell = table.cell(row, column);
                if (cell.contains(QLatin1Char(';')) || cell.contains(QLatin1Char('"')))
                    cell = QLatin1Char('"') + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
                cells << cell;
            }
            file.write(cp1252::encode(cells.join(QLatin1Char(';')) + QStringLiteral("\r\n")));
        }
        file.close();
        records = import(csv).additions;
    }

    importPlan::Plan import(const QString& path) const
    {
        const sheetImport::Archive& players = playerImport::archive();
        const sheetFile::Loaded loaded = sheetFile::read(path);
        return importPlan::analyse(players, loaded.sheet, columnMatch::match(players, loaded.sheet.rows.first()),
                                   importPlan::Duplicates::Skip, archive, QDate(2026, 12, 10));
    }
};

Season& season()
{
    static Season made;
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
    Season& s = season();
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
    Season& s = season();
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
    Season& s = season();
    qint64 added = 0;
    for (auto _ : state) {
        freshArchive(state);
        const importPlan::Plan plan = s.import(path);
        importPlan::commit(plan, s.archive, playerImport::archive().format.size);
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
    Season& s = season();
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

BENCHMARK_MAIN();
