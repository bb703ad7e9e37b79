#include "matches/CalendarFile.h"
#include "matches/CalendarRecords.h"
#include "storage/FileFaults.h"

#include "storage_fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace matches;
using fileFaults::Fault;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

Match match(int number, int round, int home, int away)
{
    Match m;
    m.number = number;
    m.round = round;
    m.home = home;
    m.away = away;
    m.date = QDate(2026, 5, round);
    m.time = QTime(20, 30);
    m.field = u"Campo comunale \u00ABSan Rocco\u00BB"_qs;
    return m;
}

// Two rounds of three teams, one result and one forfeit.
Calendar sample()
{
    Calendar calendar;
    calendar.rules.forfeitWinnerGoals = 6;
    calendar.rules.forfeitDeduction = true;
    calendar.matches = {match(1, 1, 1, 2), match(2, 2, 2, 3), match(3, 3, 3, 1)};
    calendar.matches[0].status = Status::Giocata;
    calendar.matches[0].homeGoals = 2;
    calendar.matches[0].awayGoals = 1;
    calendar.matches[1].status = Status::Tavolino;
    calendar.matches[1].atFault = Side::Away;
    calendar.deductions = {{2, 1, u"Tesseramento irregolare"_qs, QDate(2026, 5, 4), 0}};
    calendar.draw = {{u"A"_qs, 1, 1, true, 0}, {u"A"_qs, 2, 2, false, 0}};
    return calendar;
}

}  // namespace

class TestCalendarFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void noFileIsAnEmptyCalendarAndMakesNoFile();
    void savedCalendarReadsBack();
    void matchRecordBytesFollowTheLayout();
    void onlyChangedRecordsAreWritten();
    void removedMatchFreesItsPlaceForTheNext();
    void damagedFileIsNeitherReadNorWritten_data();
    void damagedFileIsNeitherReadNorWritten();
    void laterKindsAreKeptAsTheyAre();
    void twoStationsEnterResultsAtOnce();
    void sameMatchFromTwoStationsIsAConflict();
    void failedWriteLeavesTheFileAsItWas_data();
    void failedWriteLeavesTheFileAsItWas();
    void calendarPathIsBesideTheTournament();

private:
    QString tournament() const { return m_dir->filePath(u"Coppa estate.vai"_qs); }
    QString calendarFile() const { return m_dir->filePath(u"Coppa estate.cal"_qs); }
    StoredCalendar savedSample()
    {
        StoredCalendar stored;
        stored.calendar = sample();
        saveCalendar(tournament(), stored);
        return stored;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCalendarFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestCalendarFile::noFileIsAnEmptyCalendarAndMakesNoFile()
{
    const StoredCalendar stored = readCalendar(tournament());
    QVERIFY(!stored.exists);
    QVERIFY(stored.calendar.matches.isEmpty());
    QCOMPARE(stored.calendar.rules, Rules{});
    QVERIFY(!QFile::exists(calendarFile()));
    QVERIFY(!hasCalendar(tournament()));
}

void TestCalendarFile::savedCalendarReadsBack()
{
    const StoredCalendar saved = savedSample();
    QVERIFY(hasCalendar(tournament()));
    // header, rules, 3 matches, 1 deduction, 2 draw places
    QCOMPARE(QFileInfo(calendarFile()).size(), 8 * records::RecordSize);

    Match knockout = match(4, 4, 0, 0);
    knockout.phase = Phase::Knockout;
    knockout.roundSize = 8;
    knockout.homeSource = u"1\u00B0 girone A"_qs;
    knockout.winnerTo = 9;
    knockout.winnerSide = Side::Away;
    knockout.homeExtra = 1;
    knockout.awayExtra = 0;
    knockout.homePenalties = 0;
    knockout.awayPenalties = 0;
    StoredCalendar more = saved;
    more.calendar.matches.append(knockout);
    saveCalendar(tournament(), more);

    const StoredCalendar read = readCalendar(tournament());
    QVERIFY(read.exists);
    QCOMPARE(read.calendar.rules, more.calendar.rules);
    QCOMPARE(read.calendar.matches, more.calendar.matches);
    QCOMPARE(read.calendar.deductions, more.calendar.deductions);
    QCOMPARE(read.calendar.draw, more.calendar.draw);
    QCOMPARE(read.calendar.lastNumber, 4);
    QCOMPARE(read.calendar.matches[3].position, 9);
}

void TestCalendarFile::matchRecordBytesFollowTheLayout()
{
    savedSample();
    const QByteArray bytes = readAll(calendarFile());
    const QByteArray first = bytes.mid(2 * records::RecordSize, records::RecordSize);
    // Built by hand from the documented offsets; the field name is written in Windows-1252.
    const QByteArray expected = fixtures::recordWith(
        records::RecordSize, {{0, "GAR"},
                              {4, "1"},
                              {11, "1"},
                              {27, "G"},
                              {31, "1"},
                              {33, "20260501"},
                              {42, "20:30"},
                              {48, "Campo comunale \xABSan Rocco\xBB"},
                              {89, "1"},
                              {95, "2"},
                              {101, "2"},
                              {105, "1"},
                              {109, "G"}});
    QCOMPARE(first, expected);
    QCOMPARE(bytes.left(15), QByteArray("CAL\0" "1\0\0\0" "3\0\0\0\0\0\0", 15));
}

void TestCalendarFile::onlyChangedRecordsAreWritten()
{
    StoredCalendar stored = savedSample();
    const QByteArray before = readAll(calendarFile());
    saveCalendar(tournament(), stored);
    QCOMPARE(readAll(calendarFile()), before);

    stored.calendar.matches[2].status = Status::Rinviata;
    saveCalendar(tournament(), stored);
    const QByteArray after = readAll(calendarFile());
    const int at = 4 * records::RecordSize;  // the third match
    QCOMPARE(after.left(at), before.left(at));
    QCOMPARE(after.mid(at + records::RecordSize), before.mid(at + records::RecordSize));
    QCOMPARE(after.at(at + 109), 'R');
}

void TestCalendarFile::removedMatchFreesItsPlaceForTheNext()
{
    StoredCalendar stored = savedSample();
    const qint64 size = QFileInfo(calendarFile()).size();
    stored.calendar.matches.removeAt(1);
    saveCalendar(tournament(), stored);
    QCOMPARE(QFileInfo(calendarFile()).size(), size);
    QCOMPARE(readAll(calendarFile()).mid(3 * records::RecordSize, records::RecordSize),
             QByteArray(records::RecordSize, '\0'));
    QCOMPARE(readCalendar(tournament()).calendar.matches.size(), 2);

    Match added = match(0, 5, 1, 3);
    added.number = stored.calendar.nextNumber();
    QCOMPARE(added.number, 4);  // the removed match's number is not given again
    stored.calendar.matches.append(added);
    saveCalendar(tournament(), stored);
    QCOMPARE(QFileInfo(calendarFile()).size(), size);
    QCOMPARE(stored.calendar.matches.last().position, 4);
    QCOMPARE(readCalendar(tournament()).calendar.matches, stored.calendar.matches);
}

void TestCalendarFile::damagedFileIsNeitherReadNorWritten_data()
{
    QTest::addColumn<int>("offset");  // where the damage goes; -1: a cut-short tail
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("cut short") << -1 << QByteArray(100, 'x') << u"gli ultimi 100 byte"_qs;
    QTest::newRow("no header") << 0 << QByteArray("GAR") << u"record 1, campo Tipo"_qs;
    QTest::newRow("kind not letters") << 2 * 256 << QByteArray("g4r") << u"record 3, campo Tipo"_qs;
    QTest::newRow("result not a number") << 2 * 256 + 101 << QByteArray("x") << u"record 3, campo GolCasa"_qs;
    QTest::newRow("date that does not exist") << 2 * 256 + 33 << QByteArray("20260231")
                                              << u"record 3, campo Data"_qs;
    QTest::newRow("unknown status") << 3 * 256 + 109 << QByteArray("Q") << u"record 4, campo Stato"_qs;
    QTest::newRow("number given twice") << 3 * 256 + 4 << QByteArray("1") << u"record 4, campo Numero"_qs;
    QTest::newRow("newer version") << 4 << QByteArray("9") << u"record 1, campo Versione"_qs;
}

void TestCalendarFile::damagedFileIsNeitherReadNorWritten()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    StoredCalendar stored = savedSample();
    QByteArray file = readAll(calendarFile());
    if (offset < 0)
        file += bytes;
    else
        file.replace(offset, bytes.size(), bytes);
    writeAll(calendarFile(), file);

    try {
        readCalendar(tournament());
        QFAIL("a damaged calendar was read");
    } catch (const CalendarDamaged& damaged) {
        QVERIFY2(damaged.message().contains(message), qPrintable(damaged.message()));
        QVERIFY(damaged.message().contains(u"ripristinarlo da una copia di sicurezza"_qs));
    }
    if (offset < 0) {
        // A save from a calendar read before the damage does not write over the stray bytes.
        stored.calendar.matches[2].status = Status::Giocata;
        QVERIFY_THROWS_EXCEPTION(CalendarDamaged, saveCalendar(tournament(), stored));
    }
    QCOMPARE(readAll(calendarFile()), file);
}

void TestCalendarFile::laterKindsAreKeptAsTheyAre()
{
    StoredCalendar stored = savedSample();
    QByteArray later = fixtures::recordWith(records::RecordSize, {{0, "XYZ"}, {4, "whatever a later kind holds"}});
    QByteArray file = readAll(calendarFile()) + later;
    writeAll(calendarFile(), file);

    StoredCalendar read = readCalendar(tournament());
    QCOMPARE(read.calendar.matches, stored.calendar.matches);
    read.calendar.matches.clear();  // even a new calendar leaves it alone
    saveCalendar(tournament(), read);
    QCOMPARE(readAll(calendarFile()).right(records::RecordSize), later);
}

void TestCalendarFile::twoStationsEnterResultsAtOnce()
{
    savedSample();
    StoredCalendar first = readCalendar(tournament());
    StoredCalendar second = readCalendar(tournament());
    first.calendar.matches[2].status = Status::Giocata;
    first.calendar.matches[2].homeGoals = 4;
    second.calendar.deductions[0].points = 2;
    second.calendar.matches[1].status = Status::Annullata;
    saveCalendar(tournament(), first);
    saveCalendar(tournament(), second);

    const Calendar both = readCalendar(tournament()).calendar;
    QCOMPARE(both.matches[2].homeGoals, 4);
    QCOMPARE(both.matches[1].status, Status::Annullata);
    QCOMPARE(both.deductions[0].points, 2);
}

void TestCalendarFile::sameMatchFromTwoStationsIsAConflict()
{
    savedSample();
    StoredCalendar first = readCalendar(tournament());
    StoredCalendar second = readCalendar(tournament());
    first.calendar.matches[2].homeGoals = 1;
    first.calendar.matches[2].status = Status::Giocata;
    second.calendar.matches[2].awayGoals = 3;
    second.calendar.matches[2].status = Status::Giocata;
    second.calendar.matches[0].field = u"Campo 2"_qs;  // would be fine alone
    saveCalendar(tournament(), first);
    const QByteArray afterFirst = readAll(calendarFile());
    QVERIFY_THROWS_EXCEPTION(RecordChanged, saveCalendar(tournament(), second));
    QCOMPARE(readAll(calendarFile()), afterFirst);

    // Two stations adding matches at once could give one number twice: the second is refused.
    StoredCalendar adderOne = readCalendar(tournament());
    StoredCalendar adderTwo = readCalendar(tournament());
    for (StoredCalendar* adder : {&adderOne, &adderTwo}) {
        Match added = match(0, 4, 1, 2);
        added.number = adder->calendar.nextNumber();
        adder->calendar.matches.append(added);
    }
    saveCalendar(tournament(), adderOne);
    QVERIFY_THROWS_EXCEPTION(RecordChanged, saveCalendar(tournament(), adderTwo));
    QCOMPARE(readCalendar(tournament()).calendar.matches.size(), 4);
}

void TestCalendarFile::failedWriteLeavesTheFileAsItWas_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("nth");
    QTest::newRow("first write fails") << Fault::WriteFails << 1;
    QTest::newRow("second write fails") << Fault::WriteFails << 2;
    QTest::newRow("short write") << Fault::ShortWrite << 2;
    QTest::newRow("flush fails") << Fault::FlushFails << 1;
}

void TestCalendarFile::failedWriteLeavesTheFileAsItWas()
{
    QFETCH(Fault, fault);
    QFETCH(int, nth);
    StoredCalendar stored = savedSample();
    const QByteArray before = readAll(calendarFile());
    StoredCalendar changed = stored;
    changed.calendar.matches[0].homeGoals = 7;
    changed.calendar.matches[2].status = Status::Giocata;
    Match added = match(0, 4, 1, 2);
    added.number = changed.calendar.nextNumber();
    changed.calendar.matches.append(added);
    {
        const fileFaults::Injected injected({fault, nth, calendarFile()});
        QVERIFY_THROWS_EXCEPTION(ArchiveError, saveCalendar(tournament(), changed));
    }
    QCOMPARE(readAll(calendarFile()), before);
    QCOMPARE(readCalendar(tournament()).calendar.matches, stored.calendar.matches);
}

void TestCalendarFile::calendarPathIsBesideTheTournament()
{
    QCOMPARE(calendarPath(u"/a/b/Torneo.vai"_qs), u"/a/b/Torneo.cal"_qs);
    QCOMPARE(calendarPath(u"/a/b/Torneo.VAI"_qs), u"/a/b/Torneo.cal"_qs);
    QCOMPARE(calendarPath(u"/a/b/Torneo.2026.vai"_qs), u"/a/b/Torneo.2026.cal"_qs);
}

QTEST_GUILESS_MAIN(TestCalendarFile)
#include "tst_calendarfile.moc"
