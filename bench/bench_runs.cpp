// Whole runs side by side with `cat` of the same tournament file, repeated and interleaved so
// that both see the same page cache and the same machine load; prints medians and ratios.
//   merit, alphabetical: the standings as the screen gets them (file read, order made, the first
//       screenful of row texts made), timed in this process;
//   merit, own process: the same as a separate process of this program, start-up included;
//   every row made: all row texts, as printing needs them.
// Then the window probe: the longest the event loop goes without running while the merit
// standings of the largest file open (a timer pings every millisecond).
//
// Usage: bench_runs [rounds]   (default 15)
#include "TournamentFile.h"
#include "WholeRuns.h"
#include "standings/ExpClassifica.h"
#include "standings/Standings.h"
#include "standings/StandingsTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using wholeRuns::Column;
using wholeRuns::median;
using wholeRuns::runProcess;
using wholeRuns::timed;

constexpr int ShownRows = 40;  // a maximised list shows about this many

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
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

void compareWithCat(const char* self, int entries, int rounds)
{
    const QString path = benchTournament(entries);
    const QByteArray file = path.toLocal8Bit();
    std::vector<Column> columns{
        {"cat", [&] { return runProcess({"cat", file.constData()}); }, {}, {}},
        {"merit", [&] { return timed([&] { openStandings(standings::Kind::Merit, path); }); }, {}, {}},
        {"alphabetical", [&] { return timed([&] { openStandings(standings::Kind::Alphabetical, path); }); }, {}, {}},
        {"merit, own process", [&] { return runProcess({self, "--merit", file.constData()}); }, {}, {}},
        {"every row made", [&] { return timed([&] { standings::read(standings::Kind::Merit, path); }); }, {}, {}},
    };
    char heading[80];
    std::snprintf(heading, sizeof heading, "%d entries (%.0f MB)", entries, double(entries) * 5865 / 1e6);
    wholeRuns::compare(heading, columns, rounds);
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
