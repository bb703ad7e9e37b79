#include "matches/CalendarFile.h"
#include "matches/Results.h"
#include "matches/RoundRobin.h"
#include "matches/WriteBack.h"
#include "storage/FileFaults.h"
#include "storage/RecordFile.h"
#include "storage/TournamentRecord.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace matches;
using fileFaults::Fault;

namespace {

constexpr int gare = TournamentRecord::Layout.offsetOf("Gare");
constexpr int punteggio = TournamentRecord::Layout.offsetOf("Punteggio");
constexpr int completato = TournamentRecord::Layout.offsetOf("Completato");

// The zero-terminated text at `offset` of entry `entry`.
QByteArray fieldAt(const QByteArray& file, int entry, int offset)
{
    const char* start = file.constData() + qsizetype(entry - 1) * TournamentRecord::Size + offset;
    return QByteArray(start);
}

}  // namespace

class TestCalendarWriteBack : public QObject {
    Q_OBJECT

private slots:
    void init();
    void entriesFollowTheResults();
    void longMatchListsKeepTheNewest();
    void noCalendarOrPointsByHandLeaveEntriesAlone();
    void staleEntriesAreRepairedOnOpening();
    void resultStoppedAtEveryStepIsWholeOrAbsent_data();
    void resultStoppedAtEveryStepIsWholeOrAbsent();
    void entrySavedMeanwhileIsAConflict();
    void failedWriteLeavesEntriesAsTheyWere_data();
    void failedWriteLeavesEntriesAsTheyWere();
    void resultsAreChecked_data();
    void resultsAreChecked();

private:
    QString tournament() const { return m_dir->filePath(u"Torneo dei rioni.vai"_qs); }
    void makeEntries(const QStringList& names);
    StoredCalendar threeTeams();
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCalendarWriteBack::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestCalendarWriteBack::makeEntries(const QStringList& names)
{
    QByteArray bytes;
    for (const QString& name : names) {
        TournamentRecord record;
        record.Concorrente = name;
        record.Responsabile = u"Sig.ra Bianchi"_qs;
        record.Note = u"note scritte a mano"_qs;
        record.Punteggio = u"99,00"_qs;
        record.Completato = u"No"_qs;
        QByteArray one = record.toBytes();
        one[TournamentRecord::Layout.offsetOf("Note") + 300] = 'z';  // a byte past the text, kept as it is
        bytes += one;
    }
    QFile file(tournament());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

StoredCalendar TestCalendarWriteBack::threeTeams()
{
    makeEntries({u"Leoni"_qs, u"Aquile"_qs, u"Citt\u00E0 alta"_qs});
    StoredCalendar stored;
    stored.calendar.rules.forfeitDeduction = true;
    stored.calendar.matches = roundRobin({1, 2, 3}, ReturnLeg::None);
    for (Match& match : stored.calendar.matches)
        match.date = QDate(2026, 5, 3).addDays(7 * (match.round - 1));
    saveCalendar(tournament(), stored);
    return stored;
}

void TestCalendarWriteBack::entriesFollowTheResults()
{
    StoredCalendar stored = threeTeams();
    // Berger's table for three, a rest in every round.
    QStringList order;
    for (const Match& match : stored.calendar.matches)
        order += QStringLiteral("%1:%2-%3").arg(match.round).arg(match.home).arg(match.away);
    QCOMPARE(order, (QStringList{u"1:1-0"_qs, u"1:2-3"_qs, u"2:3-0"_qs, u"2:1-2"_qs, u"3:2-0"_qs, u"3:3-1"_qs}));

    QVERIFY(recordResult(stored.calendar, 2, {2, 1}, 3).isEmpty());
    ResultInput forfeit;
    forfeit.status = Status::Tavolino;
    forfeit.atFault = Side::Away;
    QCOMPARE(recordResult(stored.calendar, 3, forfeit, 3), noTeamsYetMessage());  // a rest has no result
    QVERIFY(recordResult(stored.calendar, 4, forfeit, 3).isEmpty());
    const QByteArray before = fixtures::fileContent(tournament());
    saveAndWriteBack(tournament(), stored);
    const QByteArray after = fixtures::fileContent(tournament());

    QCOMPARE(fieldAt(after, 1, punteggio), QByteArray("3,00"));
    QCOMPARE(fieldAt(after, 2, punteggio), QByteArray("2,00"));
    QCOMPARE(fieldAt(after, 3, punteggio), QByteArray("0,00"));
    QCOMPARE(fieldAt(after, 1, gare), QByteArray("10/05/2026 Aquile (casa) 3-0 a tavolino punti 3"));
    QCOMPARE(fieldAt(after, 2, gare), QByteArray("03/05/2026 Citt\xE0 alta (casa) 2-1 punti 3\r\n"
                                                 "10/05/2026 Leoni (fuori) 0-3 a tavolino punti -1"));
    QCOMPARE(fieldAt(after, 3, gare), QByteArray("03/05/2026 Aquile (fuori) 1-2 punti 0"));
    QCOMPARE(fieldAt(after, 1, completato), QByteArray("No"));  // 3-1 still to play
    QCOMPARE(fieldAt(after, 2, completato), QByteArray("S\xEC"));
    QCOMPARE(fieldAt(after, 3, completato), QByteArray("No"));
    // Every byte but the three fields is as it was.
    for (int entry = 1; entry <= 3; ++entry) {
        const qsizetype at = qsizetype(entry - 1) * TournamentRecord::Size;
        QCOMPARE(after.mid(at, gare), before.mid(at, gare));
        QCOMPARE(after.mid(at + punteggio + 16, completato - punteggio - 16),
                 before.mid(at + punteggio + 16, completato - punteggio - 16));
    }
    // Saving again changes nothing.
    QCOMPARE(writeBack(tournament(), stored.calendar), 0);
}

void TestCalendarWriteBack::longMatchListsKeepTheNewest()
{
    makeEntries({u"Uno"_qs, QString(100, u'L')});
    Calendar calendar;
    for (int i = 1; i <= 60; ++i) {
        Match match;
        match.number = i;
        match.round = i;
        match.home = i % 2 ? 1 : 2;
        match.away = i % 2 ? 2 : 1;
        match.date = QDate(2026, 1, 1).addDays(i);
        match.status = Status::Giocata;
        match.homeGoals = i % 10;
        calendar.matches.append(match);
    }
    writeBack(tournament(), calendar);
    const QByteArray file = fixtures::fileContent(tournament());
    const QByteArray text = fieldAt(file, 1, gare);
    QVERIFY(text.size() <= 5000);
    const QList<QByteArray> lines = text.split('\n');
    const int kept = int(lines.size()) - 1;
    QCOMPARE(lines.first(), QByteArray("(%1 gare precedenti non riportate)\r").replace("%1", QByteArray::number(60 - kept)));
    QVERIFY(lines.last().startsWith(QDate(2026, 1, 1).addDays(60).toString(u"dd/MM/yyyy"_qs).toLatin1()));
    // One more line would not have fitted.
    QVERIFY(text.size() + lines[1].size() + 1 > 5000);
}

void TestCalendarWriteBack::noCalendarOrPointsByHandLeaveEntriesAlone()
{
    makeEntries({u"Leoni"_qs, u"Aquile"_qs});
    const QByteArray before = fixtures::fileContent(tournament());
    QCOMPARE(refreshEntries(tournament()), 0);
    QVERIFY(!hasCalendar(tournament()));

    StoredCalendar stored;
    stored.calendar.rules.pointsFromResults = false;
    stored.calendar.matches = roundRobin({1, 2}, ReturnLeg::None);
    QVERIFY(recordResult(stored.calendar, 1, {1, 0}, 2).isEmpty());
    saveAndWriteBack(tournament(), stored);
    QCOMPARE(refreshEntries(tournament()), 0);
    QCOMPARE(fixtures::fileContent(tournament()), before);
}

void TestCalendarWriteBack::staleEntriesAreRepairedOnOpening()
{
    StoredCalendar stored = threeTeams();
    QVERIFY(recordResult(stored.calendar, 2, {0, 2}, 3).isEmpty());
    saveCalendar(tournament(), stored);  // killed before the entries were written
    QCOMPARE(fieldAt(fixtures::fileContent(tournament()), 3, punteggio), QByteArray("99,00"));
    QCOMPARE(refreshEntries(tournament()), 3);
    QCOMPARE(fieldAt(fixtures::fileContent(tournament()), 3, punteggio), QByteArray("3,00"));
    QCOMPARE(refreshEntries(tournament()), 0);
}

void TestCalendarWriteBack::resultStoppedAtEveryStepIsWholeOrAbsent_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("after a write") << Fault::StopsAfterWrite;
    QTest::newRow("halfway through a write") << Fault::StopsMidWrite;
    QTest::newRow("after a flush") << Fault::StopsAfterFlush;
}

// A result's save (the calendar's record, then the entries' batch, each with its journal) stopped
// dead at any step: the next opening finds the calendar with the result or without it, never a
// damaged one, and the entries either as they were or as the calendar makes them; once repaired
// they follow the calendar.
void TestCalendarWriteBack::resultStoppedAtEveryStepIsWholeOrAbsent()
{
    QFETCH(Fault, fault);
    bool finished = false;
    int stopped = 0;
    for (int nth = 1; !finished && nth < 60; ++nth) {
        init();
        StoredCalendar stored = threeTeams();
        writeBack(tournament(), stored.calendar);
        const QByteArray entriesBefore = fixtures::fileContent(tournament());

        const pid_t child = ::fork();
        if (child == 0) {
            int code = 1;
            try {
                const fileFaults::Injected stop({fault, nth, m_dir->path()});
                if (recordResult(stored.calendar, 2, {4, 1}, 3).isEmpty()) {
                    saveAndWriteBack(tournament(), stored);
                    code = 0;
                }
            } catch (...) {
            }
            ::_exit(code);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        QVERIFY2(code == 0 || code == fileFaults::stoppedExitCode, qPrintable(QStringLiteral("exit code %1").arg(code)));
        finished = code == 0;
        stopped += finished ? 0 : 1;

        const StoredCalendar seen = readCalendar(tournament());
        const Match* match = seen.calendar.match(2);
        QVERIFY(match);
        const bool played = match->status == Status::Giocata;
        QVERIFY2(played || match->status == Status::DaGiocare, qPrintable(QStringLiteral("stopped at step %1").arg(nth)));
        if (played)
            QCOMPARE(std::pair(match->homeGoals, match->awayGoals), std::pair(4, 1));
        if (finished)
            QVERIFY(played);
        RecordFile(tournament(), TournamentRecord::Size).close();  // opened as any reader opens it
        QVERIFY2(fixtures::fileContent(tournament()) == entriesBefore || entryChanges(tournament(), seen.calendar).isEmpty(),
                 qPrintable(QStringLiteral("stopped at step %1: the entries are half written").arg(nth)));
        refreshEntries(tournament());
        QVERIFY(entryChanges(tournament(), seen.calendar).isEmpty());
        QStringList left = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
        left.removeIf([](const QString& name) { return name.endsWith(QStringLiteral(".lock")); });
        left.sort();
        QCOMPARE(left, (QStringList{u"Torneo dei rioni.cal"_qs, u"Torneo dei rioni.vai"_qs}));
    }
    QVERIFY2(finished, "the save never got to the end");
    QVERIFY2(stopped > 0, "the save was never stopped");
}

void TestCalendarWriteBack::entrySavedMeanwhileIsAConflict()
{
    StoredCalendar stored = threeTeams();
    QVERIFY(recordResult(stored.calendar, 2, {1, 1}, 3).isEmpty());
    const QList<RecordFile::Change> changes = entryChanges(tournament(), stored.calendar);
    QCOMPARE(changes.size(), 3);
    // Another station saves entry 2 between the reading and the writing.
    {
        RecordFile file(tournament(), TournamentRecord::Size);
        TournamentRecord record = TournamentRecord::fromBytes(file.read(2));
        record.Telefono = u"0123 456789"_qs;
        file.update(2, record.toBytes());
    }
    const QByteArray before = fixtures::fileContent(tournament());
    RecordFile file(tournament(), TournamentRecord::Size);
    QVERIFY_THROWS_EXCEPTION(RecordChanged, file.writeAll(QByteArray(), changes));
    QCOMPARE(fixtures::fileContent(tournament()), before);
}

void TestCalendarWriteBack::failedWriteLeavesEntriesAsTheyWere_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("nth");
    QTest::newRow("second record fails") << Fault::WriteFails << 2;
    QTest::newRow("short write") << Fault::ShortWrite << 2;
    QTest::newRow("flush fails") << Fault::FlushFails << 1;
}

void TestCalendarWriteBack::failedWriteLeavesEntriesAsTheyWere()
{
    QFETCH(Fault, fault);
    QFETCH(int, nth);
    StoredCalendar stored = threeTeams();
    writeBack(tournament(), stored.calendar);
    const QByteArray before = fixtures::fileContent(tournament());
    QVERIFY(recordResult(stored.calendar, 2, {4, 4}, 3).isEmpty());
    {
        const fileFaults::Injected injected({fault, nth, tournament()});
        QVERIFY_THROWS_EXCEPTION(ArchiveError, writeBack(tournament(), stored.calendar));
    }
    QCOMPARE(fixtures::fileContent(tournament()), before);
}

void TestCalendarWriteBack::resultsAreChecked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << u"2-1"_qs << true;
    QTest::newRow("blanks") << u" 10 - 0 "_qs << true;
    QTest::newRow("one count") << u"2"_qs << false;
    QTest::newRow("three counts") << u"2-1-0"_qs << false;
    QTest::newRow("negative") << u"-1-2"_qs << false;
    QTest::newRow("colon") << u"2:1"_qs << false;
    QTest::newRow("letters") << u"due-uno"_qs << false;
    QTest::newRow("empty") << QString() << false;
}

void TestCalendarWriteBack::resultsAreChecked()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QCOMPARE(scoreFromText(typed).has_value(), accepted);

    // The rules every result goes through, whatever the way it comes in.
    Calendar calendar;
    Match final;
    final.number = 1;
    final.phase = Phase::Knockout;
    final.roundSize = 2;
    final.home = 1;
    final.away = 2;
    calendar.matches = {final};
    QCOMPARE(recordResult(calendar, 1, {1, 1}, 2), knockoutUndecidedMessage());
    QCOMPARE(calendar.matches.first().status, Status::DaGiocare);
    ResultInput penalties{1, 1, Status::Giocata, Side::None, 0, 0, 4, 2};
    QVERIFY(recordResult(calendar, 1, penalties, 2).isEmpty());
    QCOMPARE(recordResult(calendar, 7, {1, 0}, 2), noSuchMatchMessage(7));
    ResultInput forfeit;
    forfeit.status = Status::Tavolino;
    QCOMPARE(recordResult(calendar, 1, forfeit, 2), forfeitSideMessage());
}

QTEST_GUILESS_MAIN(TestCalendarWriteBack)
#include "tst_calendarwriteback.moc"
