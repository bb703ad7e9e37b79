// Importing a season of 10 000 players with golvera-cli, as whole processes, against a process of
// its own writing the same records through the archive writer in one locked write (the least any
// import must do), repeated and interleaved (see WholeRuns.h). The archive is removed before every
// run, outside the timing. The spreadsheets: see ImportSeason.h.
//
// Usage: bench_import_runs [rounds] [golvera-cli ...]   (default 15 rounds)
//        bench_import_runs --write RECORDS ARCHIVE      (the writer's process)
// Without command lines named, the golvera-cli built beside this program runs; name several (an
// earlier build's and this one's, say) to see them side by side in one run.
#include "ImportSeason.h"
#include "WholeRuns.h"

#include "players/PlayerImport.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using wholeRuns::Column;
using wholeRuns::runProcess;

int writeRecords(const char* records, const char* archive)
{
    // Mapped rather than read: the floor copies the records once, into the archive.
    QFile file(QString::fromLocal8Bit(records));
    const uchar* mapped = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
    if (!mapped)
        return 1;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file.size());
    RecordFile written(QString::fromLocal8Bit(archive), playerImport::archive().format.size);
    written.writeAll(bytes);
    written.close();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0)
        return writeRecords(argv[2], argv[3]);
    QCoreApplication app(argc, argv);  // for the workbook plugin, found beside the program
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const ImportSeason season(10000);
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    QList<QByteArray> programs;
    for (int i = 2; i < argc; ++i)
        programs.append(argv[i]);
    if (programs.isEmpty())
        programs.append(QFileInfo(QString::fromLocal8Bit(self)).absoluteDir().filePath(QStringLiteral("golvera-cli")).toLocal8Bit());
    for (qsizetype i = 0; i < programs.size(); ++i)
        std::printf("(%lld) %s\n", static_cast<long long>(i + 1), programs.at(i).constData());
    const QByteArray folder = season.dir.path().toLocal8Bit();
    const QByteArray records = season.recordsFile.toLocal8Bit();
    const QByteArray archive = season.archive.toLocal8Bit();
    const QByteArray csv = season.csv.toLocal8Bit();
    const QByteArray xlsx = season.xlsx.toLocal8Bit();
    const auto fresh = [&](const std::vector<const char*>& argv) {
        QFile::remove(season.archive);
        return runProcess(argv);
    };
    std::vector<Column> columns{
        {"writer", [&] { return fresh({self.constData(), "--write", records.constData(), archive.constData()}); }, {}, {}},
    };
    for (qsizetype i = 0; i < programs.size(); ++i) {
        const QByteArray& program = programs.at(i);
        const std::string suffix = programs.size() > 1 ? " (" + std::to_string(i + 1) + ")" : std::string();
        for (const auto& [label, sheet] : {std::pair{"importa CSV", &csv}, std::pair{"importa XLSX", &xlsx}}) {
            columns.push_back({label + suffix, [&, sheet] {
                                   return fresh({program.constData(), "importa", "giocatori", sheet->constData(), "--cartella",
                                                 folder.constData(), "--conferma"});
                               }, {}, {}});
        }
    }
    wholeRuns::compare("importa giocatori, 10000 rows", columns, rounds);
    return 0;
}
