#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

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
    if (!permissionsBind())
        QSKIP("running as root: file permissions do not stop writing");

    const QByteArray before = archiveBytes(RecordSize, 2, 3);
    QVERIFY(writeFile(archivePath(), before));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto folderPermissions = QFileInfo(m_dir->path()).permissions();
    QVERIFY(QFile::setPermissions(archivePath(), readOnly));
    if (folderReadOnly)
        QVERIFY(QFile::setPermissions(m_dir->path(), readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                                         | QFileDevice::ExeOther));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(m_dir->path(), folderPermissions);
        QFile::setPermissions(archivePath(), readOnly | QFileDevice::WriteOwner);
    });

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
    QCOMPARE(fileContent(archivePath()), before);
}

void TestRecordFile::unusablePathThrows_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("needsPermissions");

    QTest::newRow("missing file in a read-only folder") << u"read-only folder"_qs << true;
    QTest::newRow("existing file that may not be read") << u"unreadable file"_qs << true;
    QTest::newRow("folder of the path is a regular file") << u"file as folder"_qs << false;
    QTest::newRow("a folder where the file should be") << u"folder as file"_qs << false;
}

void TestRecordFile::unusablePathThrows()
{
    QFETCH(QString, situation);
    QFETCH(bool, needsPermissions);
    if (needsPermissions && !permissionsBind())
        QSKIP("running as root: file permissions do not stop opening or creating");

    const QString folder = m_dir->path();
    const auto folderPermissions = QFileInfo(folder).permissions();
    const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, folderPermissions); });
    const QByteArray existing = archiveBytes(RecordSize, 2);

    QString path = archivePath();
    if (situation == u"read-only folder") {
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    } else if (situation == u"unreadable file") {
        QVERIFY(writeFile(path, existing));
        QVERIFY(QFile::setPermissions(path, {}));
    } else if (situation == u"file as folder") {
        QVERIFY(writeFile(archivePath(), existing));
        path = archivePath() + u"/Archivio.pro"_qs;
    } else {
        QVERIFY(QDir(folder).mkdir(u"Archivio.pro"_qs));
    }

    try {
        RecordFile file(path, RecordSize);
        QFAIL("opening succeeded");
    } catch (const ArchiveError& error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(path), error.what());
    }

    QFile::setPermissions(folder, folderPermissions);
    if (situation == u"read-only folder") {
        QVERIFY(!QFileInfo::exists(path));
    } else if (situation == u"unreadable file") {
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(fileContent(path), existing);
    } else if (situation == u"file as folder") {
        QCOMPARE(fileContent(archivePath()), existing);
    } else {
        QVERIFY(QFileInfo(archivePath()).isDir());
    }
}

QTEST_APPLESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
