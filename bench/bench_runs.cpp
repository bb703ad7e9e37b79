// Whole runs side by side with `cat` of the same tournament file, repeated and interleaved so
// that both see the same page cache and the same machine load; prints medians and ratios.
//   merit, alphabetical: the standings as the screen gets them (file read, order made, the first
//       screenful of row texts made), timed in this process;
//   merit, own process: the same as a separate process of this program, start-up included;
//   every row made: all row texts, as printing needs them.
// Each run is timed twice: wall time, and processor time (user + system) of the run alone, which
// a busy machine disturbs much less.
// Then the window probe: the longest the event loop goes without running while the merit
// standings of the largest file open (a timer pings every millisecond).
//
// Usage: bench_runs [rounds]   (default 15)
#include "TournamentFile.h"
#include "standings/ExpClassifica.h"
#include "standings/Standings.h"
#include "standings/StandingsTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int ShownRows = 40;  // a maximised list shows about this many

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double cpuMs(const rusage& usage)
{
    return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3
           + (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
}

struct Time {
    double wall;
    double cpu;
};

// One run of `argv`, its output thrown away.
Time runProcess(const std::vector<const char*>& argv)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const char* arg : argv)
        args.push_back(const_cast<char*>(arg));
    args.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ) != 0)
        qFatal("cannot run %s", argv[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double wall = msSince(timer);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s failed", argv[0]);
    return {wall, cpuMs(usage)};
}

Time timed(const std::function<void()>& run)
{
    rusage before{};
    rusage after{};
    getrusage(RUSAGE_THREAD, &before);
    QElapsedTimer timer;
    timer.start();
    run();
    const double wall = msSince(timer);
    getrusage(RUSAGE_THREAD, &after);
    return {wall, cpuMs(after) - cpuMs(before)};
}

// What the screen does before its rows can be drawn; returns the rows made.
qsizetype openStandings(standings::Kind kind, const QString& path)
{
    const standings::Table table = standings::Table::load(kind, path);
    qsizetype length = 0;
    for (qsizetype row = 0; row < std::min<qsizetype>(ShownRows, table.count()); ++row)
        length += table.text(row).size();
    if (table.failed() || (table.count() > 0 && length == 0))
        qFatal("reading %s failed", qPrintable(path));
    return table.count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Column {
    const char* name;
    std::function<Time()> run;
    std::vector<double> wall;
    std::vector<double> cpu;
};

void compareWithCat(const char* self, int entries, int rounds)
{
    const QString path = benchTournament(entries);
    const QByteArray file = path.toLocal8Bit();
    std::vector<Column> columns{
        {"cat", [&] { return runProcess({"cat", file.constData()}); }, {}},
        {"merit", [&] { return timed([&] { openStandings(standings::Kind::Merit, path); }); }, {}},
        {"alphabetical", [&] { return timed([&] { openStandings(standings::Kind::Alphabetical, path); }); }, {}},
        {"merit, own process", [&] { return runProcess({self, "--merit", file.constData()}); }, {}},
        {"every row made", [&] { return timed([&] { standings::read(standings::Kind::Merit, path); }); }, {}},
    };
    for (Column& column : columns)
        column.run();  // page cache and code warm
    for (int round = 0; round < rounds; ++round) {
        // Interleaved, and the order turned every round, so no column always runs after another.
        for (std::size_t i = 0; i < columns.size(); ++i) {
            Column& column = columns[(round % 2 ? columns.size() - 1 - i : i)];
            const Time time = column.run();
            column.wall.push_back(time.wall);
            column.cpu.push_back(time.cpu);
        }
    }
    const double catWall = median(columns.front().wall);
    const double catCpu = median(columns.front().cpu);
    std::printf("%d entries (%.0f MB), %d rounds, medians:\n", entries, double(entries) * 5865 / 1e6, rounds);
    std::printf("  %-20s %10s %8s %10s %8s\n", "run", "wall ms", "x cat", "cpu ms", "x cat");
    for (const Column& column : columns) {
        const double wall = median(column.wall);
        const double cpu = median(column.cpu);
        std::printf("  %-20s %10.2f %8.2f %10.2f %8.2f\n", column.name, wall, wall / catWall, cpu, cpu / catCpu);
    }
}

// The longest stretch without the event loop running, from the screen's show until its rows
// are in and drawn.
double longestGap(const QString& path)
{
    TfrmExpClassifica screen;
    screen.setTournament(path);
    screen.setTitle(QStringLiteral("Classifica di merito"));
    QElapsedTimer clock;
    double last = 0;
    double longest = 0;
    QTimer ping;
    ping.setInterval(1);
    QObject::connect(&ping, &QTimer::timeout, [&] {
        const double now = msSince(clock);
        longest = std::max(longest, now - last);
        last = now;
    });
    QEventLoop loop;
    QTimer check;
    check.setInterval(1);
    bool shown = false;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (!shown) {
            shown = true;
            screen.show();
        } else if (!screen.isFilling()) {
            check.stop();
            QTimer::singleShot(100, &loop, &QEventLoop::quit);  // the rows drawn
        }
    });
    clock.start();
    ping.start();
    check.start();
    loop.exec();
    if (screen.rowCount() == 0)
        qFatal("the standings stayed empty");
    return longest;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--merit") == 0)
        return openStandings(standings::Kind::Merit, QString::fromLocal8Bit(argv[2])) > 0 ? 0 : 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    for (int entries : {10000, 100000})
        compareWithCat(argv[0], entries, rounds);

    std::vector<double> gaps;
    for (int round = 0; round < std::max(3, rounds / 3); ++round)
        gaps.push_back(longestGap(benchTournament(100000)));
    std::printf("Opening the merit standings of 100000 entries, longest event-loop gap over %zu openings:\n"
                "  median %.1f ms, worst %.1f ms\n",
                gaps.size(), median(gaps), *std::max_element(gaps.begin(), gaps.end()));
    return 0;
}
