// The player archive's outputs against the plain sequential read of the same archive (the
// floor): the search with two filters and the two expiry lists, each through its screen as the
// user opens it; the export as the user runs it, through its screen (the grid shown, then
// "Esporta" answered yes and the file not opened), and its two halves. The archive of
// 50 000 players is written once.
#include "PlainRead.h"
#include "PlayerArchive.h"

#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "output/ExportScreen.h"
#include "output/Spreadsheet.h"
#include "platform/Platform.h"
#include "players/ExpGiocatori.h"
#include "players/PlayerExport.h"
#include "players/Scadute.h"
#include "players/TrovaGiocatori.h"
#include "storage/PlayerRecord.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

QString programFolderWith(int players)
{
    static QTemporaryDir root;
    static std::map<int, QString> written;
    if (auto found = written.find(players); found != written.end())
        return found->second;
    const QString folder = root.filePath(QString::number(players));
    benchPlayers::writeArchive(folder, players);
    written.emplace(players, folder);
    return folder;
}

// The export's questions: write the file, do not open it. Any other box fails the run.
class ExportAnswers final : public platform::Messages {
public:
    void show(platform::MessageKind, const QString& text, QObject*) override
    {
        qFatal("unexpected message: %s", qPrintable(text));
    }
    platform::Answer ask(const QString& text, const platform::Choices&, QObject*) override
    {
        return text == ExportScreen::firstQuestion ? platform::Answer::Yes : platform::Answer::No;
    }
};

void plainRead(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(::plainRead(programFolder::file(programFolder::playerArchiveName), PlayerRecord::Size));
    }
    state.counters["MB"] = double(QFileInfo(programFolder::file(programFolder::playerArchiveName)).size()) / 1e6;
}

void exportThroughScreen(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    platform::install(std::make_unique<ExportAnswers>());
    for (auto _ : state) {
        TfrmExpGiocatori screen(nullptr);
        screen.show();  // fills the grid
        screen.findChild<PictureButton*>(QStringLiteral("cmdEsporta"))->click();
        if (screen.rowCount() != state.range(0))
            state.SkipWithError("the grid does not hold every player");
        screen.close();
    }
    state.counters["MB written"] = double(QFileInfo(programFolder::file(QStringLiteral("Archivio_Giocatori.xls"))).size()) / 1e6;
}

// Team and playing position, "Cerca" as the user presses it.
void searchTwoFilters(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        TfrmTrovaGiocatori search(nullptr);
        search.findChild<QLineEdit*>(QStringLiteral("txtSquadra"))->setText(QStringLiteral("roma"));
        search.findChild<QLineEdit*>(QStringLiteral("txtRuolo"))->setText(QStringLiteral("attaccante"));
        search.findChild<PictureButton*>(QStringLiteral("btnCerca"))->click();
        benchmark::DoNotOptimize(search.rowCount());
    }
}

// The list fills when it is shown, with today's date: most of the generated dates are past.
template <typename List>
void expiryListFill(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        List list(nullptr);
        list.show();
        benchmark::DoNotOptimize(list.rowCount());
        list.close();
    }
}

// A click on a heading of the card list, open on every player with a card: the column given
// (0 the marks, 1 the names, 5 the dates, 6 the goals), the direction turning at each click.
void expiryListSort(benchmark::State& state)
{
    programFolder::set(programFolderWith(50000));
    TfrmTessereScadute list(nullptr);
    list.setHorizon(100000);
    list.show();
    QHeaderView* headings = list.findChild<QTableView*>(QStringLiteral("lstRecords"))->horizontalHeader();
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        headings->setSortIndicator(int(state.range(0)), order);
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    state.counters["rows"] = double(list.rowCount());
    list.close();
}

// The two halves of the export, to tell where its time goes: the screen showing its grid, and
// the file written from the archive.
void exportGridFill(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    for (auto _ : state) {
        TfrmExpGiocatori screen(nullptr);
        screen.show();
        benchmark::DoNotOptimize(screen.rowCount());
        screen.close();
    }
}

void exportFileWrite(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    const QString archive = programFolder::file(programFolder::playerArchiveName);
    const QString path = programFolder::file(playerExport::sheet().fileName);
    for (auto _ : state) {
        if (!spreadsheet::write(path, playerExport::sheet(), archive, recordFormat(PlayerRecord::Layout)))
            state.SkipWithError("export not written");
    }
}

// The export as the screen made it before it streamed: every row read into a table when the
// screen showed, then the file written from the table. Kept to compare with in the same run.
void exportFromWholeTable(benchmark::State& state)
{
    programFolder::set(programFolderWith(int(state.range(0))));
    const QString archive = programFolder::file(programFolder::playerArchiveName);
    const QString path = programFolder::file(playerExport::sheet().fileName);
    for (auto _ : state) {
        const spreadsheet::Table rows = spreadsheet::read(archive, recordFormat(PlayerRecord::Layout), playerExport::sheet());
        if (!spreadsheet::write(path, playerExport::sheet(), rows))
            state.SkipWithError("export not written");
    }
}

}  // namespace

BENCHMARK(searchTwoFilters)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(expiryListFill<TfrmTessereScadute>)->Name("expiredCards")->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(expiryListFill<TfrmCertificatiScaduti>)->Name("expiredCertificates")->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(expiryListSort)->Arg(0)->Arg(1)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(exportGridFill)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportFileWrite)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(plainRead)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportThroughScreen)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportFromWholeTable)->Arg(50000)->Unit(benchmark::kMillisecond);
