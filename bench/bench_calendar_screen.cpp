// The calendar screen on a calendar of 100 000 matches: the longest the event loop goes without
// running from the window's show until its table is filled and drawn (a timer pings every
// millisecond), over a few openings.
//
// Usage: bench_calendar_screen [openings]   (default 5)
#include "WholeRuns.h"
#include "matches/CalendarFile.h"
#include "matches/CalendarioGare.h"
#include "matches/MatchTableModel.h"
#include "storage/TournamentRecord.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Teams = 100;
constexpr int Matches = 100000;

// A tournament of 100 entries and a calendar of rounds of 50 matches, a third of them played.
QString makeTournament(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("Grande.vai"));
    QFile entries(path);
    if (!entries.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (int team = 1; team <= Teams; ++team) {
        TournamentRecord record;
        record.Concorrente = QStringLiteral("Squadra %1").arg(team);
        record.Punteggio = QStringLiteral("0,00");
        record.Completato = QStringLiteral("No");
        entries.write(record.toBytes());
    }
    entries.close();
    matches::StoredCalendar stored;
    stored.calendar.matches.reserve(Matches);
    for (int number = 1; number <= Matches; ++number) {
        matches::Match match;
        match.number = number;
        match.round = (number - 1) / (Teams / 2) + 1;
        const int slot = (number - 1) % (Teams / 2);
        match.home = slot * 2 + 1;
        match.away = slot * 2 + 2;
        match.date = QDate(2027, 1, 1).addDays(match.round % 3000);
        match.time = QTime(20, 30);
        match.field = QStringLiteral("Campo %1").arg(slot % 7 + 1);
        if (number % 3 == 0) {
            match.status = matches::Status::Giocata;
            match.homeGoals = number % 4;
            match.awayGoals = number % 3;
        }
        stored.calendar.matches.append(match);
    }
    matches::saveCalendar(path, stored);
    return path;
}

double longestGap(const QString& path)
{
    QWidget owner;
    TfrmCalendarioGare screen(&owner);
    QElapsedTimer clock;
    double last = 0;
    double longest = 0;
    QTimer ping;
    ping.setInterval(1);
    QObject::connect(&ping, &QTimer::timeout, [&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
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
            screen.setTournament(path, QStringLiteral("Grande"));
            screen.show();
        } else if (!screen.isReading()) {
            check.stop();
            QTimer::singleShot(100, &loop, &QEventLoop::quit);  // the rows drawn
        }
    });
    clock.start();
    ping.start();
    check.start();
    loop.exec();
    if (screen.model()->rowCount() != Matches)
        qFatal("the calendar shows %d matches", screen.model()->rowCount());
    screen.hide();
    return longest;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int openings = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir folder;
    const QString path = makeTournament(folder.path());
    std::vector<double> gaps;
    for (int opening = 0; opening < openings; ++opening)
        gaps.push_back(longestGap(path));
    std::printf("Opening the calendar screen on %d matches, longest event-loop gap over %zu openings:\n"
                "  median %.1f ms, worst %.1f ms\n",
                Matches, gaps.size(), wholeRuns::median(gaps), *std::max_element(gaps.begin(), gaps.end()));
    return 0;
}
