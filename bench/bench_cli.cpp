// golvera-cli against `cat` of the same file, whole processes, every row written to /dev/null:
// the two standings of a tournament of 100 000 entries (586 MB) and the two expiry lists of an
// archive of 50 000 players (155 MB), repeated and interleaved (see WholeRuns.h). Each file is
// measured twice: as the benchmark has just written it, and read back from the disk, as after a
// restart: the page cache then holds it in larger pieces, which are quicker to map and to copy.
//
// Usage: bench_cli [rounds] [golvera-cli ...]
// Without command lines named, the one built beside this program runs; name several (an earlier
// build's and this one's, say) to see them side by side in one run.
#include "PlayerArchive.h"
#include "TournamentFile.h"
#include "WholeRuns.h"

#include <QByteArray>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using wholeRuns::Column;
using wholeRuns::runProcess;

struct Command {
    std::string label;               // what the table calls it
    std::vector<std::string> words;  // after the program's path
};

// Drops the file from the page cache and reads it back, as the first read after a restart does.
void readBackFromDisk(const QByteArray& file)
{
    const int fd = ::open(file.constData(), O_RDONLY);
    if (fd < 0 || ::fdatasync(fd) != 0 || ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0)
        qFatal("cannot drop %s from the page cache", file.constData());
    std::vector<char> block(std::size_t(1) << 20);
    while (::read(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

void compareWithCat(const char* heading, const QByteArray& file, const QList<QByteArray>& programs,
                    const std::vector<Command>& commands, int rounds)
{
    std::vector<Column> columns{{"cat", [&] { return runProcess({"cat", file.constData()}); }, {}, {}}};
    for (qsizetype i = 0; i < programs.size(); ++i) {
        const QByteArray& program = programs.at(i);
        for (const Command& command : commands) {
            std::string name = command.label;
            if (programs.size() > 1)
                name += " (" + std::to_string(i + 1) + ")";
            columns.push_back({name, [&program, &command] {
                                   std::vector<const char*> argv{program.constData()};
                                   for (const std::string& word : command.words)
                                       argv.push_back(word.c_str());
                                   return runProcess(argv);
                               }, {}, {}});
        }
    }
    wholeRuns::compare((std::string(heading) + ", as written").c_str(), columns, rounds);
    readBackFromDisk(file);
    for (Column& column : columns) {
        column.wall.clear();
        column.cpu.clear();
    }
    wholeRuns::compare((std::string(heading) + ", read back from the disk").c_str(), columns, rounds);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QList<QByteArray> programs;
    for (int i = 2; i < argc; ++i)
        programs.append(argv[i]);
    if (programs.isEmpty())
        programs.append(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath(QStringLiteral("golvera-cli")).toLocal8Bit());
    for (qsizetype i = 0; i < programs.size(); ++i)
        std::printf("(%lld) %s\n", static_cast<long long>(i + 1), programs.at(i).constData());

    const QByteArray tournament = benchTournament(100000).toLocal8Bit();
    compareWithCat("classifica, 100000 entries (586 MB)", tournament, programs,
                   {{"classifica merito", {"classifica", "merito", tournament.toStdString()}},
                    {"classifica alfabetica", {"classifica", "alfabetica", tournament.toStdString()}}},
                   rounds);

    QTemporaryDir folder;
    const QByteArray archive = benchPlayers::writeArchive(folder.path(), 50000).toLocal8Bit();
    const std::string data = folder.path().toStdString();
    compareWithCat("scadenze, 50000 players (155 MB)", archive, programs,
                   {{"scadenze tessere", {"scadenze", "tessere", "--cartella", data}},
                    {"scadenze certificati --entro 30", {"scadenze", "certificati", "--entro", "30", "--cartella", data}}},
                   rounds);
    return 0;
}
