#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/FileFaults.h"
#include "storage/RecordFile.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <new>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace fixtures;
using fileFaults::Fault;

namespace {
constexpr int RecordSize = 10;
}

class TestRecordFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void missingFileIsCreatedEmpty();
    void countIgnoresTrailingFragment_data();
    void countIgnoresTrailingFragment();
    void readReturnsTheRecordAtItsPosition();
    void readOutsideTheRecordsThrows_data();
    void readOutsideTheRecordsThrows();
    void appendWritesAfterTheLastWholeRecord_data();
    void appendWritesAfterTheLastWholeRecord();
    void updateRewritesInPlace();
    void rejectedWriteLeavesFileUnchanged_data();
    void rejectedWriteLeavesFileUnchanged();
    void scanVisitsRecordsInFileOrder_data();
    void scanVisitsRecordsInFileOrder();
    void scanStopsWhenTheVisitorSaysSo();
    void readOnlyFileIsReadButNotWritten_data();
    void readOnlyFileIsReadButNotWritten();
    void unusablePathThrows_data();
    void unusablePathThrows();
    void fileCreatedMeanwhileByAnotherStationIsOpened();
    void updateOfARecordChangedElsewhereWritesNothing();
    void batchAppendsAndUpdatesInOneWrite();
    void appendedInPiecesAsInOne_data();
    void appendedInPiecesAsInOne();
    void failedPieceLeavesFileUnchanged_data();
    void failedPieceLeavesFileUnchanged();
    void batchWithOneChangedRecordWritesNothing_data();
    void batchWithOneChangedRecordWritesNothing();
    void lockIsHeldOnlyWhileWriting();

private:
    QString archivePath() const { return m_dir->filePath(u"Archivio.pro"_qs); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecordFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecordFile::missingFileIsCreatedEmpty()
{
    {
        RecordFile file(archivePath(), RecordSize);
        QCOMPARE(file.count(), 0);
        QVERIFY(!file.isReadOnly());
        int visits = 0;
        file.scan([&](qint64, QByteArrayView) { ++visits; return true; });
        QCOMPARE(visits, 0);
    }
    QFileInfo created(archivePath());
    QVERIFY(created.isFile());
    QCOMPARE(created.size(), 0);
}

void TestRecordFile::countIgnoresTrailingFragment_data()
{
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<qint64>("count");

    QTest::newRow("empty") << 10 << 0 << qint64(0);
    QTest::newRow("fragment only") << 10 << 9 << qint64(0);
    QTest::newRow("one record") << 10 << 10 << qint64(1);
    QTest::newRow("two records and a fragment") << 10 << 29 << qint64(2);
    QTest::newRow("two player records") << 3096 << 6192 << qint64(2);
    QTest::newRow("tournament records and a fragment") << 5865 << 3 * 5865 + 5864 << qint64(3);
}

void TestRecordFile::countIgnoresTrailingFragment()
{
    QFETCH(int, recordSize);
    QFETCH(int, fileSize);
    QFETCH(qint64, count);

    QVERIFY(writeFile(archivePath(), QByteArray(fileSize, 'r')));
    QCOMPARE(RecordFile(archivePath(), recordSize).count(), count);
    QCOMPARE(QFileInfo(archivePath()).size(), fileSize);
}

void TestRecordFile::readReturnsTheRecordAtItsPosition()
{
    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 3, 4)));
    const RecordFile file(archivePath(), RecordSize);
    for (qint64 position : {3, 1, 2})
        QCOMPARE(file.read(position), numberedRecord(RecordSize, position));
}

void TestRecordFile::readOutsideTheRecordsThrows_data()
{
    QTest::addColumn<qint64>("position");

    QTest::newRow("zero") << qint64(0);
    QTest::newRow("negative") << qint64(-1);
    QTest::newRow("the trailing fragment") << qint64(4);
    QTest::newRow("far beyond the end") << qint64(1000);
}

void TestRecordFile::readOutsideTheRecordsThrows()
{
    QFETCH(qint64, position);

    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 3, 5)));
    const RecordFile file(archivePath(), RecordSize);
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.read(position));
}

void TestRecordFile::appendWritesAfterTheLastWholeRecord_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("fragment");

    QTest::newRow("empty file") << 0 << 0;
    QTest::newRow("after two records") << 2 << 0;
    QTest::newRow("over a fragment") << 2 << 5;
    QTest::newRow("over a fragment in an otherwise empty file") << 0 << RecordSize - 1;
}

void TestRecordFile::appendWritesAfterTheLastWholeRecord()
{
    QFETCH(int, records);
    QFETCH(int, fragment);

    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, records, fragment)));
    const QByteArray added = numberedRecord(RecordSize, 77);
    {
        RecordFile file(archivePath(), RecordSize);
        QCOMPARE(file.append(added), qint64(records + 1));
        QCOMPARE(file.count(), qint64(records + 1));
    }
    // A fresh handle sees what the closed one wrote.
    QCOMPARE(fileContent(archivePath()), archiveBytes(RecordSize, records) + added);
    QCOMPARE(RecordFile(archivePath(), RecordSize).read(records + 1), added);
}

void TestRecordFile::updateRewritesInPlace()
{
    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 3, 4)));
    const QByteArray replacement = numberedRecord(RecordSize, 99);
    {
        RecordFile file(archivePath(), RecordSize);
        file.update(2, replacement);
        QCOMPARE(file.count(), 3);
        QCOMPARE(file.read(2), replacement);
    }
    QByteArray expected = archiveBytes(RecordSize, 3, 4);
    expected.replace(RecordSize, RecordSize, replacement);
    QCOMPARE(fileContent(archivePath()), expected);
}

void TestRecordFile::rejectedWriteLeavesFileUnchanged_data()
{
    QTest::addColumn<bool>("appending");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("size");

    QTest::newRow("update at 0") << false << qint64(0) << RecordSize;
    QTest::newRow("update one past the end") << false << qint64(4) << RecordSize;
    QTest::newRow("update with a short record") << false << qint64(1) << RecordSize - 1;
    QTest::newRow("append a long record") << true << qint64(0) << RecordSize + 1;
    QTest::newRow("append an empty record") << true << qint64(0) << 0;
}

void TestRecordFile::rejectedWriteLeavesFileUnchanged()
{
    QFETCH(bool, appending);
    QFETCH(qint64, position);
    QFETCH(int, size);

    const QByteArray before = archiveBytes(RecordSize, 3, 2);
    QVERIFY(writeFile(archivePath(), before));
    {
        RecordFile file(archivePath(), RecordSize);
        const QByteArray record(size, 'w');
        if (appending)
            QVERIFY_THROWS_EXCEPTION(ArchiveError, file.append(record));
        else
            QVERIFY_THROWS_EXCEPTION(ArchiveError, file.update(position, record));
    }
    QCOMPARE(fileContent(archivePath()), before);
}

void TestRecordFile::scanVisitsRecordsInFileOrder_data()
{
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<qint64>("records");
    QTest::addColumn<int>("fragment");

    const qint64 tournamentsPerChunk = RecordFile::ScanChunkBytes / 5865;
    QTest::newRow("a few records and a fragment") << RecordSize << qint64(5) << 3;
    QTest::newRow("chunks that do not end on a record size")
        << 5865 << 2 * tournamentsPerChunk + 3 << 100;
    QTest::newRow("exactly one chunk") << 4096 << RecordFile::ScanChunkBytes / 4096 << 0;
    QTest::newRow("one record past a chunk") << 4096 << RecordFile::ScanChunkBytes / 4096 + 1 << 7;
    QTest::newRow("records larger than a chunk") << int(RecordFile::ScanChunkBytes) + 1 << qint64(2) << 9;
}

void TestRecordFile::scanVisitsRecordsInFileOrder()
{
    QFETCH(int, recordSize);
    QFETCH(qint64, records);
    QFETCH(int, fragment);

    QVERIFY(writeFile(archivePath(), archiveBytes(recordSize, records, fragment)));
    const RecordFile file(archivePath(), recordSize);

    qint64 expected = 1;
    file.scan([&](qint64 position, QByteArrayView record) {
        if (position != expected || record != numberedRecord(recordSize, position)) {
            qWarning("record %lld visited as position %lld", expected, position);
            return false;
        }
        ++expected;
        return true;
    });
    QCOMPARE(expected - 1, records);
}

void TestRecordFile::scanStopsWhenTheVisitorSaysSo()
{
    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 5)));
    const RecordFile file(archivePath(), RecordSize);

    QList<qint64> visited;
    file.scan([&](qint64 position, QByteArrayView) {
        visited << position;
        return position < 3;
    });
    QCOMPARE(visited, (QList<qint64>{1, 2, 3}));
}

void TestRecordFile::readOnlyFileIsReadButNotWritten_data()
{
    QTest::addColumn<bool>("folderReadOnly");

    QTest::newRow("read-only file in a writable folder") << false;
    QTest::newRow("read-only file in a read-only folder") << true;
}

void TestRecordFile::readOnlyFileIsReadButNotWritten()
{
    QFETCH(bool, folderReadOnly);

    const QByteArray before = archiveBytes(RecordSize, 2, 3);
    QVERIFY(writeFile(archivePath(), before));
    const fileFaults::Injected readOnlyFile({Fault::OpenForWritingRefused, 0, archivePath()});
    std::optional<fileFaults::Injected> readOnlyFolder;
    if (folderReadOnly)
        readOnlyFolder.emplace(fileFaults::Plan{Fault::CreateRefused, 0, m_dir->path()});

    {
        RecordFile file(archivePath(), RecordSize);
        QVERIFY(file.isReadOnly());
        QCOMPARE(file.count(), 2);
        QCOMPARE(file.read(2), numberedRecord(RecordSize, 2));
        qint64 visits = 0;
        file.scan([&](qint64, QByteArrayView) { return ++visits > 0; });
        QCOMPARE(visits, 2);

        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.update(1, numberedRecord(RecordSize, 9)));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.append(numberedRecord(RecordSize, 9)));
    }
    QCOMPARE(readOnlyFile.strikes(), 1);
    QCOMPARE(fileContent(archivePath()), before);
}

void TestRecordFile::unusablePathThrows_data()
{
    QTest::addColumn<QString>("situation");

    QTest::newRow("missing file in a folder that refuses new files") << u"read-only folder"_qs;
    QTest::newRow("existing file that may not be read") << u"unreadable file"_qs;
    QTest::newRow("folder of the path is a regular file") << u"file as folder"_qs;
    QTest::newRow("a folder where the file should be") << u"folder as file"_qs;
    // Special files would block the program on open or on read: they are never opened.
    QTest::newRow("a FIFO where the file should be") << u"fifo"_qs;
    QTest::newRow("a socket where the file should be") << u"socket"_qs;
    QTest::newRow("a device where the file should be") << u"device"_qs;
    QTest::newRow("a link that leads nowhere") << u"dangling link"_qs;
}

void TestRecordFile::unusablePathThrows()
{
    QFETCH(QString, situation);

    const QString folder = m_dir->path();
    const QByteArray existing = archiveBytes(RecordSize, 2);
    std::optional<fileFaults::Injected> fault;

    QString path = archivePath();
    const QByteArray native = QFile::encodeName(path);
    if (situation == u"read-only folder") {
        fault.emplace(fileFaults::Plan{Fault::CreateRefused, 0, folder});
    } else if (situation == u"unreadable file") {
        QVERIFY(writeFile(path, existing));
        fault.emplace(fileFaults::Plan{Fault::OpenRefused, 0, path});
    } else if (situation == u"file as folder") {
        QVERIFY(writeFile(archivePath(), existing));
        path = archivePath() + u"/Archivio.pro"_qs;
    } else if (situation == u"folder as file") {
        QVERIFY(QDir(folder).mkdir(u"Archivio.pro"_qs));
    } else if (situation == u"fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0666), 0);
    } else if (situation == u"socket") {
        QVERIFY(makeSocket(path));
    } else if (situation == u"device") {
        path = u"/dev/zero"_qs;
    } else {
        QCOMPARE(::symlink("nowhere/Archivio.pro", native.constData()), 0);
    }

    try {
        RecordFile file(path, RecordSize);
        QFAIL("opening succeeded");
    } catch (const ArchiveError& error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(path), error.what());
    }
    if (fault)
        QVERIFY(fault->strikes() > 0);

    const QFileInfo after(path);
    if (situation == u"read-only folder") {
        QVERIFY(!QFileInfo::exists(path));
    } else if (situation == u"unreadable file") {
        QCOMPARE(fileContent(path), existing);
    } else if (situation == u"file as folder") {
        QCOMPARE(fileContent(archivePath()), existing);
    } else if (situation == u"folder as file") {
        QVERIFY(QFileInfo(archivePath()).isDir());
    } else if (situation == u"dangling link") {
        QVERIFY(after.isSymLink());
        QVERIFY(!after.exists());
    } else if (situation != u"device") {
        QVERIFY(!after.isFile());
        QVERIFY(QFileInfo::exists(path));
    }
}

void TestRecordFile::fileCreatedMeanwhileByAnotherStationIsOpened()
{
    // Two stations open a missing archive at the same moment: the one that loses the race to
    // create it opens the file the other made, and both can write.
    const fileFaults::Injected race({Fault::CreateRaced, 1, archivePath()});
    RecordFile file(archivePath(), RecordSize);
    QCOMPARE(race.strikes(), 1);
    QVERIFY(!file.isReadOnly());
    QCOMPARE(file.append(numberedRecord(RecordSize, 1)), 1);
    file.close();
    QCOMPARE(fileContent(archivePath()), numberedRecord(RecordSize, 1));
}

void TestRecordFile::updateOfARecordChangedElsewhereWritesNothing()
{
    const QByteArray before = archiveBytes(RecordSize, 3);
    QVERIFY(writeFile(archivePath(), before));
    RecordFile file(archivePath(), RecordSize);
    const QByteArray asRead = numberedRecord(RecordSize, 42);  // what the screen once read at 2

    QByteArray seen;
    const auto unchangedSince = [&](const QByteArray& read) {
        return [&seen, read](QByteArrayView current) {
            seen = current.toByteArray();
            return current == read;
        };
    };
    QVERIFY_THROWS_EXCEPTION(RecordChanged, file.update(2, numberedRecord(RecordSize, 9), unchangedSince(asRead)));
    QCOMPARE(seen, numberedRecord(RecordSize, 2));
    QCOMPARE(fileContent(archivePath()), before);

    // Unchanged since it was read: written.
    file.update(2, numberedRecord(RecordSize, 9), unchangedSince(numberedRecord(RecordSize, 2)));
    file.close();
    QCOMPARE(fileContent(archivePath()).mid(RecordSize, RecordSize), numberedRecord(RecordSize, 9));
}

void TestRecordFile::batchAppendsAndUpdatesInOneWrite()
{
    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 3, 4)));
    const QByteArray added = numberedRecord(RecordSize, 70) + numberedRecord(RecordSize, 71);
    {
        RecordFile file(archivePath(), RecordSize);
        const auto unchangedFrom = [](qint64 number) {
            return [number](QByteArrayView current) { return current == numberedRecord(RecordSize, number); };
        };
        QCOMPARE(file.writeAll(added, {{3, numberedRecord(RecordSize, 93), unchangedFrom(3)},
                                       {1, numberedRecord(RecordSize, 91), unchangedFrom(1)}}),
                 qint64(4));
        // Nothing to add: the position the next record would take.
        QCOMPARE(file.writeAll({}), qint64(6));
        file.close();
    }
    QByteArray expected = archiveBytes(RecordSize, 3) + added;
    expected.replace(0, RecordSize, numberedRecord(RecordSize, 91));
    expected.replace(2 * RecordSize, RecordSize, numberedRecord(RecordSize, 93));
    QCOMPARE(fileContent(archivePath()), expected);
}

void TestRecordFile::appendedInPiecesAsInOne_data()
{
    QTest::addColumn<qint64>("count");

    const qint64 perPiece = RecordFile::FillPieceBytes / RecordSize;
    QTest::newRow("none") << qint64(0);
    QTest::newRow("one") << qint64(1);
    QTest::newRow("one piece") << perPiece;
    QTest::newRow("one piece and one") << perPiece + 1;
    QTest::newRow("two pieces and some") << 2 * perPiece + 3;
}

// Records made a piece at a time end up as if written in one: after the others, in order, each
// once, with the changes of the batch.
void TestRecordFile::appendedInPiecesAsInOne()
{
    QFETCH(qint64, count);

    QVERIFY(writeFile(archivePath(), archiveBytes(RecordSize, 3)));
    qint64 next = 0;  // the record the next piece must start with
    RecordFile file(archivePath(), RecordSize);
    const qint64 first = file.writeAll(
        count,
        [&](qint64 from, qint64 records, char* into) {
            QCOMPARE(from, next);
            for (qint64 i = 0; i < records; ++i)
                std::memcpy(into + i * RecordSize, numberedRecord(RecordSize, from + i + 4).constData(), RecordSize);
            next += records;
        },
        {{2, numberedRecord(RecordSize, 92), {}}});
    file.close();
    QCOMPARE(first, qint64(4));
    QCOMPARE(next, count);
    QByteArray expected = archiveBytes(RecordSize, 3 + int(count));
    expected.replace(RecordSize, RecordSize, numberedRecord(RecordSize, 92));
    QVERIFY(fileContent(archivePath()) == expected);
}

void TestRecordFile::failedPieceLeavesFileUnchanged_data()
{
    QTest::addColumn<bool>("fillThrows");

    QTest::newRow("making the second piece fails") << true;
    QTest::newRow("the disk is full at the second piece") << false;
}

void TestRecordFile::failedPieceLeavesFileUnchanged()
{
    QFETCH(bool, fillThrows);

    const QByteArray before = archiveBytes(RecordSize, 3);
    QVERIFY(writeFile(archivePath(), before));
    const qint64 perPiece = RecordFile::FillPieceBytes / RecordSize;
    std::optional<fileFaults::Injected> full;
    if (!fillThrows)
        full.emplace(fileFaults::Plan{Fault::WriteFails, 2, archivePath()});
    RecordFile file(archivePath(), RecordSize);
    const auto fill = [&](qint64 from, qint64 records, char* into) {
        if (fillThrows && from > 0)
            throw std::bad_alloc();
        std::memset(into, 'n', std::size_t(records * RecordSize));
    };
    const QList<RecordFile::Change> changes = {{1, numberedRecord(RecordSize, 91), {}}};
    if (fillThrows)
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, file.writeAll(2 * perPiece, fill, changes));
    else
        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeAll(2 * perPiece, fill, changes));
    file.close();
    QVERIFY(fillThrows || full->strikes() == 1);
    full.reset();
    QVERIFY(fileContent(archivePath()) == before);
}

void TestRecordFile::batchWithOneChangedRecordWritesNothing_data()
{
    QTest::addColumn<qint64>("changedPosition");
    QTest::addColumn<bool>("changedElsewhere");

    QTest::newRow("the first change was changed elsewhere") << qint64(1) << true;
    QTest::newRow("the last change was changed elsewhere") << qint64(3) << true;
    QTest::newRow("a change past the end") << qint64(4) << false;
}

// Another station saved one of the records meanwhile: neither the updates before it nor the
// appended records are written.
void TestRecordFile::batchWithOneChangedRecordWritesNothing()
{
    QFETCH(qint64, changedPosition);
    QFETCH(bool, changedElsewhere);

    const QByteArray before = archiveBytes(RecordSize, 3);
    QVERIFY(writeFile(archivePath(), before));
    RecordFile file(archivePath(), RecordSize);
    QList<RecordFile::Change> changes;
    for (qint64 position : {qint64(1), changedPosition}) {
        const qint64 readAs = position == changedPosition && changedElsewhere ? 50 : position;
        changes.append({position, numberedRecord(RecordSize, 90 + position),
                        [readAs](QByteArrayView current) { return current == numberedRecord(RecordSize, readAs); }});
    }
    if (changedElsewhere)
        QVERIFY_THROWS_EXCEPTION(RecordChanged, file.writeAll(numberedRecord(RecordSize, 70), changes));
    else
        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeAll(numberedRecord(RecordSize, 70), changes));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeAll(QByteArray(RecordSize + 1, 'x')));
    QCOMPARE(fileContent(archivePath()), before);
}

void TestRecordFile::lockIsHeldOnlyWhileWriting()
{
    const QString lockPath = ArchiveLock::lockPathFor(archivePath());
    RecordFile file(archivePath(), RecordSize);
    QVERIFY(!QFileInfo::exists(lockPath));
    file.append(numberedRecord(RecordSize, 1));
    QVERIFY(!QFileInfo::exists(lockPath));

    bool lockedWhileChecking = false;
    file.update(1, numberedRecord(RecordSize, 2), [&](QByteArrayView) {
        lockedWhileChecking = QFileInfo::exists(lockPath);
        return true;
    });
    QVERIFY(lockedWhileChecking);
    QVERIFY(!QFileInfo::exists(lockPath));

    // A failed write lets go of the lock too.
    {
        const fileFaults::Injected full({Fault::WriteFails, 1, archivePath()});
        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.append(numberedRecord(RecordSize, 3)));
    }
    QVERIFY(!QFileInfo::exists(lockPath));
    file.close();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{u"Archivio.pro"_qs});
}

QTEST_APPLESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
