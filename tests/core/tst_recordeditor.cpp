#include "editor/RecordEditing.h"
#include "storage/ArchiveError.h"

#include "storage_fixtures.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;
using recordEditing::Move;
using Kind = recordEditing::Step::Kind;

Q_DECLARE_METATYPE(Move)
Q_DECLARE_METATYPE(Kind)

namespace {
constexpr int RecordSize = 8;
}

class TestRecordEditing : public QObject {
    Q_OBJECT

private slots:
    void init();

    void navigation_data();
    void navigation();
    void navigationOnAMissingArchiveCreatesItEmpty_data();
    void navigationOnAMissingArchiveCreatesItEmpty();
    void saveAppendsThenUpdates();
    void saveRefusesAPositionOutsideTheFile_data();
    void saveRefusesAPositionOutsideTheFile();

private:
    QString archivePath() const { return m_dir->filePath(QStringLiteral("Archivio.vai")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecordEditing::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// Every navigation rule, run against a real file of `records` numbered records: what is shown,
// what happens to the label, and which positions cannot be read.
void TestRecordEditing::navigation_data()
{
    QTest::addColumn<Move>("move");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("records");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<qint64>("shown");
    QTest::addColumn<bool>("emptiesLabel");
    QTest::addColumn<bool>("fails");

    const Move first = Move::First, previous = Move::Previous, next = Move::Next, last = Move::Last;
    const Kind show = Kind::Show, nothing = Kind::Nothing, none = Kind::NoRecords;

    // An empty archive: next also empties the label, the other three leave it.
    QTest::newRow("first, empty") << first << "" << 0 << none << 0LL << false << false;
    QTest::newRow("last, empty") << last << "3" << 0 << none << 0LL << false << false;
    QTest::newRow("next, empty") << next << "3" << 0 << none << 0LL << true << false;
    QTest::newRow("previous, empty") << previous << "" << 0 << none << 0LL << false << false;
    QTest::newRow("previous on 1 looks at nothing") << previous << "1" << 0 << nothing << 0LL << false << false;

    QTest::newRow("first") << first << "2" << 3 << show << 1LL << false << false;
    QTest::newRow("last") << last << "" << 3 << show << 3LL << false << false;
    QTest::newRow("last, one record") << last << "" << 1 << show << 1LL << false << false;
    QTest::newRow("next from a new record") << next << "" << 3 << show << 1LL << false << false;
    QTest::newRow("next") << next << "2" << 3 << show << 3LL << false << false;
    QTest::newRow("next on the last record") << next << "3" << 3 << nothing << 0LL << false << false;
    QTest::newRow("next, one record shown") << next << "1" << 1 << nothing << 0LL << false << false;
    QTest::newRow("next beyond the end") << next << "7" << 3 << nothing << 0LL << false << false;
    QTest::newRow("previous from a new record") << previous << "" << 3 << show << 1LL << false << false;
    QTest::newRow("previous from 2") << previous << "2" << 3 << show << 1LL << false << false;
    QTest::newRow("previous") << previous << "3" << 3 << show << 2LL << false << false;
    QTest::newRow("previous on the first record") << previous << "1" << 3 << nothing << 0LL << false << false;

    // A label that is not a position, or one beyond the file, fails where it has to be read.
    QTest::newRow("next, label not a number") << next << "x" << 3 << show << 0LL << false << true;
    QTest::newRow("previous, label not a number") << previous << "x" << 3 << show << 0LL << false << true;
    QTest::newRow("previous beyond the end") << previous << "6" << 3 << show << 0LL << false << true;
    QTest::newRow("first ignores the label") << first << "x" << 3 << show << 1LL << false << false;
    QTest::newRow("next, empty archive, bad label") << next << "x" << 0 << none << 0LL << true << false;
}

void TestRecordEditing::navigation()
{
    QFETCH(Move, move);
    QFETCH(QString, label);
    QFETCH(int, records);
    QFETCH(Kind, kind);
    QFETCH(qint64, shown);
    QFETCH(bool, emptiesLabel);
    QFETCH(bool, fails);

    // A trailing fragment never counts as a record.
    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, records, 3)));
    if (fails) {
        QVERIFY_THROWS_EXCEPTION(ArchiveError, recordEditing::move(archivePath(), RecordSize, move, label));
        return;
    }
    const recordEditing::Moved moved = recordEditing::move(archivePath(), RecordSize, move, label);
    QCOMPARE(moved.step.kind, kind);
    QCOMPARE(moved.step.emptyLabel, emptiesLabel);
    if (kind == Kind::Show) {
        QCOMPARE(moved.step.position, shown);
        QCOMPARE(moved.record, numberedRecord(RecordSize, shown));
    } else {
        QVERIFY(moved.record.isEmpty());
    }
}

void TestRecordEditing::navigationOnAMissingArchiveCreatesItEmpty_data()
{
    QTest::addColumn<Move>("move");
    QTest::newRow("first") << Move::First;
    QTest::newRow("previous") << Move::Previous;
    QTest::newRow("next") << Move::Next;
    QTest::newRow("last") << Move::Last;
}

void TestRecordEditing::navigationOnAMissingArchiveCreatesItEmpty()
{
    QFETCH(Move, move);
    const recordEditing::Moved moved = recordEditing::move(archivePath(), RecordSize, move, QString());
    QCOMPARE(moved.step.kind, Kind::NoRecords);
    QVERIFY(QFileInfo(archivePath()).isFile());
    QCOMPARE(QFileInfo(archivePath()).size(), 0);
}

void TestRecordEditing::saveAppendsThenUpdates()
{
    // A fragment left by an interrupted write is overwritten by the first append.
    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 2, 5)));
    const QByteArray mine = recordWith(RecordSize, {{0, "mine"}});

    const recordEditing::Saved appended = recordEditing::save(archivePath(), mine, QString());
    QVERIFY(appended.appended);
    QCOMPARE(appended.position, 3);
    QCOMPARE(fileContent(archivePath()), archiveBytes(RecordSize, 2) + mine);

    const QByteArray changed = recordWith(RecordSize, {{0, "again"}});
    const recordEditing::Saved updated =
        recordEditing::save(archivePath(), changed, recordEditing::positionText(appended.position));
    QVERIFY(!updated.appended);
    QCOMPARE(updated.position, 3);
    QCOMPARE(fileContent(archivePath()), archiveBytes(RecordSize, 2) + changed);

    const recordEditing::Saved first = recordEditing::save(archivePath(), mine, QStringLiteral("1"));
    QCOMPARE(first.position, 1);
    QCOMPARE(fileContent(archivePath()), mine + numberedRecord(RecordSize, 2) + changed);
}

void TestRecordEditing::saveRefusesAPositionOutsideTheFile_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("beyond the last record") << "3";
    QTest::newRow("zero") << "0";
    QTest::newRow("not a number") << "due";
}

void TestRecordEditing::saveRefusesAPositionOutsideTheFile()
{
    QFETCH(QString, label);
    const QByteArray before = archiveBytes(RecordSize, 2);
    QVERIFY(writeFile(archivePath(), before));
    QVERIFY_THROWS_EXCEPTION(ArchiveError,
                             recordEditing::save(archivePath(), recordWith(RecordSize, {}), label));
    QCOMPARE(fileContent(archivePath()), before);
}

QTEST_APPLESS_MAIN(TestRecordEditing)
#include "tst_recordeditor.moc"
