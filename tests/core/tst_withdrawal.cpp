#include "matches/CalendarFile.h"
#include "matches/Results.h"
#include "matches/RoundRobin.h"
#include "matches/WriteBack.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "players/Deadlines.h"
#include "players/ExpiryRows.h"
#include "standings/StandingsTable.h"
#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"
#include "storage/PlayerRecord.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "withdrawal/WithdrawalMarks.h"
#include "withdrawal/WithdrawnEntries.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;
using withdrawal::Action;
using withdrawal::Outcome;

namespace {

const QDate march12(2027, 3, 12);
const QDate april2(2027, 4, 2);

// The mark file's record, written out by hand from its offsets.
QByteArray markRecord(char kind, qint64 position, const char* withdrawn, const char* broughtBack = "        ")
{
    return QByteArray(1, kind) + QByteArray::number(position).rightJustified(10, '0') + withdrawn + broughtBack;
}

}  // namespace

// The marks beside each of the three archives: written and read as their file says, the archive
// itself never touched.
class TestWithdrawal : public QObject {
    Q_OBJECT

private slots:
    void archives_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("recordSize");
        QTest::newRow("team archive") << QStringLiteral("Archivio_Squadre.pro") << TeamRecord::Size;
        QTest::newRow("player archive") << QStringLiteral("Archivio_Giocatori.pro") << PlayerRecord::Size;
        QTest::newRow("tournament") << QStringLiteral("Coppa Estate.vai") << TournamentRecord::Size;
    }

    void archives()
    {
        QFETCH(QString, name);
        QFETCH(int, recordSize);
        QTemporaryDir dir;
        const QString archive = dir.filePath(name);
        const QByteArray bytes = archiveBytes(recordSize, 3);
        QVERIFY(writeFile(archive, bytes));
        const QString marks = withdrawal::marksPath(archive);
        QCOMPARE(marks, archive + QStringLiteral(".rit"));

        // No file: nothing withdrawn, and reading makes no file.
        QVERIFY(withdrawal::read(archive).isEmpty());
        QVERIFY(!QFileInfo::exists(marks));

        QCOMPARE(withdrawal::apply(archive, recordSize, {{2, Action::Withdraw, {}, {}}}, march12), Outcome::Done);
        QCOMPARE(fileContent(marks), markRecord('R', 2, "20270312"));
        withdrawal::Marks read = withdrawal::read(archive);
        QCOMPARE(read.count(), 1);
        QVERIFY(read.isWithdrawn(2));
        QCOMPARE(read.date(2), march12);
        QVERIFY(!read.isWithdrawn(1));

        // Refusals write nothing.
        QCOMPARE(withdrawal::apply(archive, recordSize, {{2, Action::Withdraw, {}, {}}}, april2), Outcome::AlreadyWithdrawn);
        QCOMPARE(withdrawal::apply(archive, recordSize, {{1, Action::BringBack, {}, {}}}, april2), Outcome::NotWithdrawn);
        QCOMPARE(withdrawal::apply(archive, recordSize, {{4, Action::Withdraw, {}, {}}}, april2), Outcome::NoSuchRecord);
        QCOMPARE(withdrawal::apply(archive, recordSize, {{0, Action::Withdraw, {}, {}}}, april2), Outcome::NoSuchRecord);
        // One refused request in a batch stops the whole batch.
        QCOMPARE(withdrawal::apply(archive, recordSize, {{1, Action::Withdraw, {}, {}}, {9, Action::Withdraw, {}, {}}}, april2),
                 Outcome::NoSuchRecord);
        QCOMPARE(fileContent(marks), markRecord('R', 2, "20270312"));

        // Brought back in place; withdrawn again, the same record takes the new day.
        QCOMPARE(withdrawal::apply(archive, recordSize, {{2, Action::BringBack, {}, {}}}, april2), Outcome::Done);
        QCOMPARE(fileContent(marks), markRecord('A', 2, "20270312", "20270402"));
        QVERIFY(withdrawal::read(archive).isEmpty());
        QCOMPARE(withdrawal::apply(archive, recordSize, {{2, Action::Withdraw, {}, {}}, {3, Action::Withdraw, {}, {}}},
                                   april2),
                 Outcome::Done);
        QCOMPARE(fileContent(marks), markRecord('R', 2, "20270402") + markRecord('R', 3, "20270402"));
        read = withdrawal::read(archive);
        QCOMPARE(read.count(), 2);
        QCOMPARE(read.date(3), april2);

        // The archive is never written.
        QCOMPARE(fileContent(archive), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{name, name + QStringLiteral(".rit")}));
    }

    // What another station or a later version may have left in the file.
    void readsWhatTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<qint64>>("withdrawn");
        QTest::newRow("empty file") << QByteArray() << QList<qint64>{};
        QTest::newRow("one withdrawn") << markRecord('R', 7, "20270312") << QList<qint64>{7};
        QTest::newRow("brought back") << markRecord('A', 7, "20270312", "20270402") << QList<qint64>{};
        QTest::newRow("two stations added one each: the later counts")
            << markRecord('R', 7, "20270312") + markRecord('A', 7, "20270312", "20270402") << QList<qint64>{};
        QTest::newRow("unknown kind passed over") << markRecord('X', 7, "20270312") + markRecord('R', 8, "20270312")
                                                  << QList<qint64>{8};
        QTest::newRow("day that is no day") << markRecord('R', 7, "20271312") << QList<qint64>{};
        QTest::newRow("position that is no number") << QByteArray("R00000000x720270312        ") << QList<qint64>{};
        QTest::newRow("half a record at the end") << markRecord('R', 7, "20270312") + "R0000" << QList<qint64>{7};
    }

    void readsWhatTheFileHolds()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<qint64>, withdrawn);
        const withdrawal::Marks marks = withdrawal::fromBytes(file);
        QList<qint64> positions = marks.withdrawn().keys();
        std::sort(positions.begin(), positions.end());
        QCOMPARE(positions, withdrawn);
    }

    // A screen says what it showed; another station's withdrawal, bringing back or save in
    // between is a conflict, and nothing is written.
    void conflicts_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("action");
        QTest::addColumn<QDate>("seen");
        QTest::addColumn<bool>("recordSaved");
        QTest::addColumn<bool>("conflict");
        const QByteArray none;
        const QByteArray withdrawn = markRecord('R', 1, "20270312");
        const int withdraw = int(Action::Withdraw), bringBack = int(Action::BringBack);
        QTest::newRow("withdraw as seen") << none << withdraw << QDate() << false << false;
        QTest::newRow("withdraw, another station withdrew first") << withdrawn << withdraw << QDate() << false << true;
        QTest::newRow("withdraw, another station saved the record") << none << withdraw << QDate() << true << true;
        QTest::newRow("bring back as seen") << withdrawn << bringBack << march12 << false << false;
        QTest::newRow("bring back, another station brought it back")
            << markRecord('A', 1, "20270312", "20270401") << bringBack << march12 << false << true;
        QTest::newRow("bring back, withdrawn again meanwhile") << markRecord('R', 1, "20270401") << bringBack << march12
                                                               << false << true;
    }

    void conflicts()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, action);
        QFETCH(QDate, seen);
        QFETCH(bool, recordSaved);
        QFETCH(bool, conflict);
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Archivio_Squadre.pro"));
        const QByteArray shown = archiveBytes(TeamRecord::Size, 1);
        QVERIFY(writeFile(archive, recordSaved ? QByteArray(TeamRecord::Size, 'z') : shown));
        if (!before.isEmpty())
            QVERIFY(writeFile(withdrawal::marksPath(archive), before));
        const withdrawal::Request request{1, Action(action), seen,
                                          [shown](QByteArrayView current) { return current == shown; }};
        bool changed = false;
        try {
            QCOMPARE(withdrawal::apply(archive, TeamRecord::Size, {request}, april2), Outcome::Done);
        } catch (const RecordChanged&) {
            changed = true;
        }
        QCOMPARE(changed, conflict);
        if (conflict)
            QCOMPARE(QFileInfo::exists(withdrawal::marksPath(archive)) ? fileContent(withdrawal::marksPath(archive))
                                                                       : QByteArray(),
                     before);
        else
            QCOMPARE(withdrawal::read(archive).isWithdrawn(1), Action(action) == Action::Withdraw);
    }

    void anArchiveThatIsNotThereHasNothingToWithdraw()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Archivio_Giocatori.pro"));
        QCOMPARE(withdrawal::apply(archive, PlayerRecord::Size, {{1, Action::Withdraw, {}, {}}}, march12),
                 Outcome::NoSuchRecord);
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // What the marks hide, in the core every screen and command reads through: the standings
    // (merit and alphabetical), the expiry rows, the launcher's counts, the list rows; and what
    // they never hide: the exports, with the workbook's "Ritirata" column.
    void whatTheMarksHide()
    {
        QTemporaryDir dir;
        const QString tournament = dir.filePath(QStringLiteral("Coppa.vai"));
        QByteArray entries;
        for (const char* team : {"Aquile", "Falchi", "Grifoni"}) {
            TournamentRecord entry;
            entry.Concorrente = QString::fromLatin1(team);
            entry.Punteggio = QStringLiteral("3,00");
            entries += entry.toBytes();
        }
        QVERIFY(writeFile(tournament, entries));
        const QString players = dir.filePath(QStringLiteral("Archivio_Giocatori.pro"));
        QByteArray records;
        for (const char* name : {"Rossi", "Verdi"}) {
            PlayerRecord player;
            player.Giocatore = QString::fromLatin1(name);
            player.ScadTessera = QStringLiteral("01/01/2027");
            player.ScadCertificato = QStringLiteral("01/01/2027");
            records += player.toBytes();
        }
        QVERIFY(writeFile(players, records));
        QCOMPARE(withdrawal::apply(tournament, TournamentRecord::Size, {{2, Action::Withdraw, {}, {}}}, march12), Outcome::Done);
        QCOMPARE(withdrawal::apply(players, PlayerRecord::Size, {{1, Action::Withdraw, {}, {}}}, march12), Outcome::Done);

        for (const standings::Kind kind : {standings::Kind::Merit, standings::Kind::Alphabetical}) {
            const standings::Table hidden = standings::Table::load(kind, tournament);
            QCOMPARE(hidden.count(), 2);
            QVERIFY(!hidden.text(0).contains(QStringLiteral("Falchi")) && !hidden.text(1).contains(QStringLiteral("Falchi")));
            const standings::Table marked = standings::Table::load(kind, tournament, nullptr, withdrawal::Listing::Mark);
            QCOMPARE(marked.count(), 3);
            int notes = 0;
            for (qsizetype row = 0; row < marked.count(); ++row) {
                if (marked.text(row).endsWith(QStringLiteral("  (Ritirata il 12/03/2027)"))) {
                    ++notes;
                    QCOMPARE(marked.position(row), qint64(2));
                    QCOMPARE(marked.withdrawnOn(row), march12);
                }
            }
            QCOMPARE(notes, 1);
        }

        const QDate today(2027, 4, 2);
        const deadlines::Counts counts = deadlines::count(players, today);
        QCOMPARE(counts.cards.expired, 1);
        QCOMPARE(counts.certificates.expired, 1);
        QCOMPARE(ExpiryRows::read(players, expiryList::Kind::Cards, today, 0)->count(), 1);
        const auto marked = ExpiryRows::read(players, expiryList::Kind::Cards, today, 0, withdrawal::Listing::Mark);
        QCOMPARE(marked->count(), 2);
        QCOMPARE(marked->expired(), 2);

        // An export keeps every record; only the workbook says which are withdrawn.
        const spreadsheet::Sheet sheet{QStringLiteral("Torneo"), QStringLiteral("Torneo.xls"),
                                       {{QStringLiteral("colConcorrente"), QStringLiteral("Squadra"), 100, 300,
                                         QStringLiteral("Concorrente")}}};
        QCOMPARE(spreadsheet::read(tournament, formatOf<TournamentRecord>(), sheet).size(), 3);
        const spreadsheet::Sheet whole = workbook::sheetOf(sheet);
        QCOMPARE(whole.columns.last().label, QStringLiteral("Ritirata"));
        const spreadsheet::Table table = spreadsheet::read(tournament, formatOf<TournamentRecord>(), whole);
        QCOMPARE(table.size(), 3);
        QCOMPARE(table.cell(0, 1), QString());
        QCOMPARE(table.cell(1, 1), QStringLiteral("12/03/2027"));
    }

    // A withdrawn entry's calendar matches count as the tournament's rule says, and count again
    // once it is brought back; the marks are the calendar's withdrawn entries.
    void calendarCountsWithdrawnEntries_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QByteArray>("firstPointsWithdrawn");  // entry 1 beat entry 2, 1-0
        QTest::newRow("all annulled") << int(matches::Withdrawal::AllAnnulled) << QByteArray("0,00");
        QTest::newRow("played count, the rest forfeits") << int(matches::Withdrawal::PlayedCountRestForfeit)
                                                         << QByteArray("3,00");
    }
    void calendarCountsWithdrawnEntries()
    {
        QFETCH(int, rule);
        QFETCH(QByteArray, firstPointsWithdrawn);
        QTemporaryDir dir;
        const QString tournament = dir.filePath(QStringLiteral("Coppa.vai"));
        QByteArray entries;
        for (const char* team : {"Aquile", "Falchi", "Grifoni"}) {
            TournamentRecord entry;
            entry.Concorrente = QString::fromLatin1(team);
            entries += entry.toBytes();
        }
        QVERIFY(writeFile(tournament, entries));
        matches::StoredCalendar stored;
        stored.calendar.rules.withdrawal = matches::Withdrawal(rule);
        stored.calendar.matches = matches::roundRobin({1, 2, 3}, matches::ReturnLeg::None);
        for (matches::Match& match : stored.calendar.matches)
            match.date = QDate(2027, 2, 7).addDays(7 * (match.round - 1));
        matches::saveCalendar(tournament, stored);
        int oneAgainstTwo = 0;
        for (const matches::Match& match : std::as_const(stored.calendar.matches)) {
            if (match.home == 1 && match.away == 2)
                oneAgainstTwo = match.number;
        }
        QVERIFY(oneAgainstTwo > 0);
        QVERIFY(matches::recordResult(stored.calendar, oneAgainstTwo, {1, 0}, 3).isEmpty());
        matches::saveAndWriteBack(tournament, stored, withdrawal::entries(tournament));
        const auto points = [&](qint64 entry) {
            return TournamentRecord::fromBytes(RecordFile(tournament, TournamentRecord::Size).read(entry)).Punteggio.toLatin1();
        };
        QCOMPARE(points(1), QByteArray("3,00"));

        QCOMPARE(withdrawal::apply(tournament, TournamentRecord::Size, {{2, Action::Withdraw, {}, {}}}, march12), Outcome::Done);
        QCOMPARE(withdrawal::entries(tournament), (matches::Withdrawn{{2, march12}}));
        withdrawal::recount(tournament);
        QCOMPARE(points(1), firstPointsWithdrawn);

        QCOMPARE(withdrawal::apply(tournament, TournamentRecord::Size, {{2, Action::BringBack, {}, {}}}, april2), Outcome::Done);
        withdrawal::recount(tournament);
        QCOMPARE(points(1), QByteArray("3,00"));
    }

    void bandText() { QCOMPARE(withdrawal::bandText(march12), QStringLiteral("Ritirata il 12/03/2027")); }

    void namesOfMarkFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("marks");
        QTest::newRow("tournament's") << QStringLiteral("Coppa.vai.rit") << true;
        QTest::newRow("any case") << QStringLiteral("Coppa.vai.RIT") << true;
        QTest::newRow("tournament") << QStringLiteral("Coppa.vai") << false;
        QTest::newRow("the suffix alone") << QStringLiteral(".rit") << false;
    }

    void namesOfMarkFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, marks);
        QCOMPARE(withdrawal::isMarksName(name), marks);
    }
};

QTEST_APPLESS_MAIN(TestWithdrawal)
#include "tst_withdrawal.moc"
