// The calendar records the complete standings keep: the tie-break order, draws by lot, scorers
// and fair-play points, their bytes at the documented offsets, read back after a save, and a
// calendar without them left without them.
#include "matches/CalendarFile.h"
#include "matches/CalendarRecords.h"
#include "storage/TournamentRecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace matches;

namespace {

QByteArray at(const QByteArray& record, int offset, int size)
{
    return record.mid(offset, size);
}

}  // namespace

class TestStandingsRecords : public QObject {
    Q_OBJECT

private slots:
    void bytesFollowTheLayout();
    void damagedRecords_data();
    void damagedRecords();
    void savedAndReadBack();
};

void TestStandingsRecords::bytesFollowTheLayout()
{
    const QByteArray order = records::encode(TieBreakSettings{{"punti-scontri", "sorteggio"}, {1, 4}});
    QCOMPARE(order.size(), records::RecordSize);
    QCOMPARE(at(order, 0, 4), QByteArray("ORD\0", 4));
    QCOMPARE(at(order, 4, 24), QByteArray("punti-scontri,sorteggio\0", 24));
    QCOMPARE(at(order, 155, 4), QByteArray("1,4\0", 4));

    const QByteArray lot = records::encode(StoredLot{"A", {7, 2, 5}});
    QCOMPARE(at(lot, 0, 6), QByteArray("EST\0A\0", 6));
    QCOMPARE(at(lot, 15, 6), QByteArray("7,2,5\0", 6));

    const QByteArray scorer = records::encode(Scorer{12, 3, "Nicol\u00F2 Rossi", 2, 41});
    QCOMPARE(at(scorer, 0, 17), QByteArray("MAR\0" "12\0\0\0\0\0" "3\0\0\0\0\0", 17));
    QCOMPARE(at(scorer, 17, 13), QByteArray("Nicol\xF2 Rossi\0", 13));
    QCOMPARE(at(scorer, 78, 2), QByteArray("2\0", 2));
    QCOMPARE(at(scorer, 82, 3), QByteArray("41\0", 3));

    const QByteArray fair = records::encode(FairPlayPoints{12, 3, 4});
    QCOMPARE(at(fair, 0, 4), QByteArray("DIS\0", 4));
    QCOMPARE(at(fair, 17, 2), QByteArray("4\0", 2));

    QCOMPARE(records::decodeTieBreak(order), (TieBreakSettings{{"punti-scontri", "sorteggio"}, {1, 4}}));
    QCOMPARE(records::decodeLot(lot), (StoredLot{"A", {7, 2, 5}}));
    QCOMPARE(records::decodeScorer(scorer), (Scorer{12, 3, "Nicol\u00F2 Rossi", 2, 41}));
    QCOMPARE(records::decodeFairPlay(fair), (FairPlayPoints{12, 3, 4}));
}

void TestStandingsRecords::damagedRecords_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("field");
    QByteArray lot = records::encode(StoredLot{"A", {7, 2}});
    lot.replace(15, 4, QByteArray("7,x\0", 4));
    QTest::newRow("lot order") << lot << "Ordine";
    QByteArray single = records::encode(StoredLot{"A", {7, 2}});
    single.replace(15, 4, QByteArray("7\0\0\0", 4));
    QTest::newRow("lot of one") << single << "Ordine";
    QByteArray goals = records::encode(Scorer{1, 1, "X", 1});
    goals.replace(78, 2, QByteArray("0\0", 2));
    QTest::newRow("no goals") << goals << "Gol";
    QByteArray places = records::encode(TieBreakSettings{{}, {2}});
    places.replace(155, 2, QByteArray("-\0", 2));
    QTest::newRow("deciding place") << places << "Decisivi";
}

void TestStandingsRecords::damagedRecords()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, field);
    try {
        const QByteArray kind = records::kindOf(record);
        if (kind == records::LotKind)
            records::decodeLot(record);
        else if (kind == records::ScorerKind)
            records::decodeScorer(record);
        else
            records::decodeTieBreak(record);
        QFAIL("read as sound");
    } catch (const records::BadRecord& bad) {
        QCOMPARE(bad.field, field);
    }
}

void TestStandingsRecords::savedAndReadBack()
{
    QTemporaryDir folder;
    const QString tournament = folder.filePath("Coppa.vai");
    QFile file(tournament);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(TournamentRecord().toBytes() + TournamentRecord().toBytes());
    file.close();

    StoredCalendar stored = readCalendar(tournament);
    Match match;
    match.number = 1;
    match.home = 1;
    match.away = 2;
    stored.calendar.matches = {match};
    saveCalendar(tournament, stored);
    // The default order keeps no record.
    QCOMPARE(QFile(calendarPath(tournament)).size(), 3 * records::RecordSize);

    stored.calendar.tieBreak = {{"vittorie", "sorteggio"}, {1}};
    stored.calendar.lots = {{"", {2, 1}}};
    stored.calendar.scorers = {{1, 1, "Rossi", 2}, {1, 2, "Verdi", 1, 7}};
    stored.calendar.fairPlay = {{1, 2, 3}};
    saveCalendar(tournament, stored);
    QVERIFY(stored.calendar.tieBreak.position > 0);
    Calendar read = readCalendar(tournament).calendar;
    QCOMPARE(read.tieBreak, stored.calendar.tieBreak);
    QCOMPARE(read.lots, stored.calendar.lots);
    QCOMPARE(read.scorers, stored.calendar.scorers);
    QCOMPARE(read.fairPlay, stored.calendar.fairPlay);

    // A scorer removed frees its place; the rest stay as they were.
    stored.calendar.scorers.removeFirst();
    saveCalendar(tournament, stored);
    read = readCalendar(tournament).calendar;
    QCOMPARE(read.scorers, stored.calendar.scorers);
    QCOMPARE(read.lots, stored.calendar.lots);
}

QTEST_GUILESS_MAIN(TestStandingsRecords)
#include "tst_standingsrecords.moc"
