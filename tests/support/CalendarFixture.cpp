#include "CalendarFixture.h"

#include "matches/CalendarFile.h"
#include "storage/TournamentRecord.h"

#include <QFile>

namespace calendarFixture {

namespace {

const QStringList Teams = {"Aquile", "Bisonti", "Cervi", "Delfini", "Falchi", "Gazzelle", "Leoni", "<script>", "\"&'"};

matches::Match match(int number, int home, int away, matches::Status status = matches::Status::DaGiocare, int homeGoals = 0,
                     int awayGoals = 0)
{
    matches::Match m;
    m.number = number;
    m.round = (number - 1) / 4 + 1;
    m.date = QDate(2027, 1, 10).addDays(7 * (m.round - 1));
    m.time = QTime(15, 0);
    m.field = QStringLiteral("Campo %1").arg(home);
    m.home = home;
    m.away = away;
    m.status = status;
    m.homeGoals = homeGoals;
    m.awayGoals = awayGoals;
    return m;
}

}  // namespace

// Nine teams. Aquile, Bisonti and Cervi beat each other in turn, one of the three by a forfeit
// (counted 3-0); their second meeting was annulled. The other six have not played yet.
bool writeTournament(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& name : Teams) {
        TournamentRecord record;
        record.Concorrente = name;
        file.write(record.toBytes());
    }
    file.close();
    matches::StoredCalendar stored = matches::readCalendar(path);
    using matches::Status;
    matches::Match forfeit = match(3, 3, 1, Status::Tavolino);
    forfeit.atFault = matches::Side::Away;
    stored.calendar.matches = {match(1, 1, 2, Status::Giocata, 1, 0), match(2, 2, 3, Status::Giocata, 2, 0), forfeit,
                               match(4, 2, 1, Status::Annullata, 0, 5), match(5, 4, 5), match(6, 6, 7), match(7, 8, 9),
                               match(8, 5, 6)};
    stored.calendar.scorers = {{1, 1, "Luca Bianchi", 1}, {2, 2, "Mario Rossi", 2}, {4, 1, "Mario Rossi", 5},
                               {3, 3, "Nessuno", 3}};
    matches::saveCalendar(path, stored);
    return true;
}

}  // namespace calendarFixture
