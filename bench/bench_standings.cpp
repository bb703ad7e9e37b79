// The standings, the export and the entry search against the plain sequential read of the same
// tournament file (the floor): the tables the screens keep, every row of the merit and
// alphabetical standings, filling the list view, laying out the printed report; filling the export
// grid and writing Torneo.xls; "Cerca" with two filters.
// Tournament files of 1 000, 10 000 and 100 000 entries are written once into a temporary folder.
#include "TournamentFile.h"
#include "common/PictureButton.h"
#include "output/RecordListModel.h"
#include "output/Spreadsheet.h"
#include "output/ReportLayout.h"
#include "standings/Standings.h"
#include "standings/StandingsTable.h"
#include "storage/RecordFile.h"
#include "storage/TournamentRecord.h"
#include "tournament/ExpTorneo.h"
#include "tournament/TournamentExport.h"
#include "tournament/TrovaPagina.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>
#include <QListView>

#include <benchmark/benchmark.h>

namespace {

QString tournament(int entries)
{
    return benchTournament(entries);
}

void plainRead(benchmark::State& state)
{
    const QString path = tournament(int(state.range(0)));
    for (auto _ : state) {
        RecordFile file(path, TournamentRecord::Size);
        qint64 sum = 0;
        file.scan([&sum](qint64, QByteArrayView record) {
            sum += record.at(0);
            return true;
        });
        benchmark::DoNotOptimize(sum);
    }
}

template <standings::Kind kind>
void standingsRows(benchmark::State& state)
{
    const QString path = tournament(int(state.range(0)));
    for (auto _ : state) {
        standings::List list = standings::read(kind, path);
        benchmark::DoNotOptimize(list.rows.data());
    }
}

// What the screen waits for: the file read and the order made; rows are made when drawn.
template <standings::Kind kind>
void standingsTable(benchmark::State& state)
{
    const QString path = tournament(int(state.range(0)));
    for (auto _ : state) {
        const standings::Table table = standings::Table::load(kind, path);
        benchmark::DoNotOptimize(table.count());
    }
}

// The rows into the list view's model, and the view laid out and painted once.
void modelFill(benchmark::State& state)
{
    const QList<ListRow> rows = standings::read(standings::Kind::Merit, tournament(int(state.range(0)))).rows;
    RecordListModel model;
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(947, 466);
    view.show();
    for (auto _ : state) {
        model.setRows(rows);
        QCoreApplication::processEvents();
        view.grab();
        state.PauseTiming();
        model.clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void reportLayout(benchmark::State& state)
{
    const QList<ListRow> rows = standings::read(standings::Kind::Merit, tournament(int(state.range(0)))).rows;
    for (auto _ : state) {
        const report::PreparedReport prepared =
            report::prepare(standings::document(standings::Kind::Merit, QStringLiteral("Classifica di merito"), rows),
                            QDate(2026, 12, 9));
        benchmark::DoNotOptimize(prepared.pages.size());
    }
}

// The export as the user waits for it: the grid shown over the file, then Torneo.xls written from it.
void exportTournament(benchmark::State& state)
{
    const QString path = tournament(int(state.range(0)));
    const QString target = QFileInfo(path).absolutePath() + QStringLiteral("/Torneo.xls");
    for (auto _ : state) {
        state.PauseTiming();
        {
            TfrmExpTorneo screen;
            screen.setTournament(path);
            state.ResumeTiming();
            screen.show();
            QCoreApplication::processEvents();
            if (screen.rowCount() != state.range(0)
                || !spreadsheet::write(target, tournamentExport::sheet(), path, recordFormat(TournamentRecord::Layout)))
                state.SkipWithError("export not written");
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

// "Cerca" with two filters in use, through the search screen: scan, filter, sort and list.
void entrySearch(benchmark::State& state)
{
    const QString path = tournament(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        {
            TfrmTrovaPagina screen;
            screen.setTournament(path);
            screen.show();
            screen.findChild<QLineEdit*>(QStringLiteral("txtConcorrente"))->setText(QStringLiteral("squadra 1"));
            screen.findChild<QLineEdit*>(QStringLiteral("txtNote"))->setText(QStringLiteral("numero"));
            auto* search = screen.findChild<PictureButton*>(QStringLiteral("btnCerca"));
            state.ResumeTiming();
            search->click();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(screen.rows().size());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

constexpr benchmark::TimeUnit Ms = benchmark::kMillisecond;

}  // namespace

BENCHMARK(plainRead)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(standingsRows<standings::Kind::Merit>)->Name("meritRows")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(standingsRows<standings::Kind::Alphabetical>)->Name("alphabeticalRows")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(standingsTable<standings::Kind::Merit>)->Name("meritTable")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(standingsTable<standings::Kind::Alphabetical>)->Name("alphabeticalTable")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(modelFill)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(exportTournament)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(entrySearch)->Arg(10000)->Arg(100000)->Unit(Ms);
BENCHMARK(reportLayout)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(Ms);
