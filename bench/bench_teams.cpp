// The team lists against the plain sequential read of the same team archive (the floor): the
// search with three filters, the selected-teams list and the import list, each through its
// screen as the user opens it, and the export (reading the grid's rows, writing the file).
// Archives of 10 000 and 50 000 teams are written once.
#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "output/SearchScreen.h"
#include "storage/RecordFile.h"
#include "output/Spreadsheet.h"
#include "storage/TeamRecord.h"
#include "teams/TeamExport.h"
#include "teams/Selezionate.h"
#include "teams/TrovaSquadre.h"
#include "tournament/ImportaSquadra.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <random>

namespace {

QTemporaryDir& root()
{
    static QTemporaryDir dir;
    return dir;
}

// The program folder holding an archive of `teams` varied teams, a third of them selected.
QString programFolderWith(int teams)
{
    static std::map<int, QString> written;
    if (auto found = written.find(teams); found != written.end())
        return found->second;
    const QString folder = root().filePath(QString::number(teams));
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/") + programFolder::teamArchiveName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    std::mt19937 random(teams);
    const QStringList cities = {QStringLiteral("Roma"), QStringLiteral("Milano"), QStringLiteral("Napoli"),
                                QStringLiteral("Torino"), QStringLiteral("Bari")};
    TeamRecord team;
    team.Portieri = QString(120, QLatin1Char('p'));
    team.Note = QString(200, QLatin1Char('n'));
    for (int i = 0; i < teams; ++i) {
        const QString city = cities.at(int(random() % cities.size()));
        team.Squadra = QStringLiteral("Squadra %1 %2").arg(random() % 100000).arg(i);
        team.Sede = QStringLiteral("Via dello Sport %1, %2").arg(i % 300).arg(city);
        team.Campo = QStringLiteral("Stadio Comunale di %1").arg(city);
        team.Allenatore = QStringLiteral("Allenatore %1").arg(random() % 500);
        team.Capitano = QStringLiteral("Capitano %1").arg(random() % 500);
        team.Responsabile = QStringLiteral("Responsabile %1").arg(i);
        team.Telefono = QStringLiteral("06 %1").arg(random() % 1000000);
        team.setSelezionata(i % 3 == 0);
        file.write(team.toBytes());
    }
    written.emplace(teams, folder);
    return folder;
}

void plainRead(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        RecordFile file(programFolder::file(programFolder::teamArchiveName), TeamRecord::Size);
        qint64 sum = 0;
        file.scan([&sum](qint64, QByteArrayView record) {
            sum += record.at(0);
            return true;
        });
        benchmark::DoNotOptimize(sum);
    }
}

// Sede, Allenatore and Capitano filters: "Cerca" as the user presses it.
void searchThreeFilters(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        TfrmTrovaSquadre search(nullptr);
        search.findChild<QLineEdit*>(QStringLiteral("txtSede"))->setText(QStringLiteral("roma"));
        search.findChild<QLineEdit*>(QStringLiteral("txtAllenatore"))->setText(QStringLiteral("allenatore 1"));
        search.findChild<QLineEdit*>(QStringLiteral("txtCapitano"))->setText(QStringLiteral("capitano"));
        search.findChild<PictureButton*>(QStringLiteral("btnCerca"))->click();
        benchmark::DoNotOptimize(search.rows().size());
    }
}

template <typename List>
void listFill(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        // The list as it opens: row texts are made only for the rows drawn.
        List list(nullptr);
        benchmark::DoNotOptimize(list.rowCount());
    }
}

void exportFile(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    const QString archive = programFolder::file(programFolder::teamArchiveName);
    for (auto _ : state) {
        const spreadsheet::Table rows = spreadsheet::read(archive, recordFormat(TeamRecord::Layout), teamExport::sheet());
        if (!spreadsheet::write(programFolder::file(teamExport::sheet().fileName), teamExport::sheet(), rows))
            state.SkipWithError("export not written");
    }
}

}  // namespace

BENCHMARK(exportFile)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(plainRead)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(searchThreeFilters)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(listFill<TfrmSelezionate>)->Name("selectedTeams")->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(listFill<TfrmImportaSquadra>)->Name("importList")->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
