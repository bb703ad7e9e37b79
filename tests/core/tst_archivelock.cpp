#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/FileFaults.h"
#include "storage/RecordFile.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <optional>

#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fixtures;
using namespace std::chrono_literals;

namespace {
constexpr int RecordSize = 16;

// A process of this program on this computer that holds the archive's lock until it is killed.
pid_t holdingProcess(const QString& archivePath)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ArchiveLock lock(archivePath);
        (void)!::write(ready[1], "k", 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    (void)!::read(ready[0], &byte, 1);
    ::close(ready[0]);
    return byte == 'k' ? child : -1;
}

// The pid of a process that has ended and been reaped.
qint64 endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
}  // namespace

// Stations sharing a folder meet only through the lock file beside the archive.
class TestArchiveLock : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lockOfAnotherStation_data();
    void lockOfAnotherStation();
    void lockLeftEmpty_data();
    void lockLeftEmpty();
    void noLockCanBeMade_data();
    void noLockCanBeMade();

private:
    QString archivePath() const { return m_dir->filePath(u"Coppa.vai"_qs); }
    // A lock file as another station's program leaves it: process, program name, computer name;
    // with pid 0, the empty file of a station that died before writing into it.
    void plantLock(qint64 pid, const QString& host, std::chrono::seconds age);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestArchiveLock::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    ArchiveLock::setPatience(300ms);
}

void TestArchiveLock::cleanup() { ArchiveLock::setPatience(4000ms); }

void TestArchiveLock::plantLock(qint64 pid, const QString& host, std::chrono::seconds age)
{
    const QString path = ArchiveLock::lockPathFor(archivePath());
    QVERIFY(writeFile(path, pid == 0 ? QByteArray() : QByteArray::number(pid) + "\ngolvera\n" + host.toUtf8() + '\n'));
    timeval times[2];
    ::gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= age.count();
    times[1] = times[0];
    QCOMPARE(::utimes(QFile::encodeName(path).constData(), times), 0);
}

void TestArchiveLock::lockOfAnotherStation_data()
{
    QTest::addColumn<QString>("host");  // empty: this computer
    QTest::addColumn<bool>("holderAlive");  // on this computer: a real process of ours holds it
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("takenOver");

    const int stale = int(std::chrono::duration_cast<std::chrono::seconds>(ArchiveLock::staleAfter).count());
    QTest::newRow("another computer writing now") << "segreteria-2" << true << 0 << false;
    QTest::newRow("another computer that crashed long ago") << "segreteria-2" << true << stale + 5 << true;
    QTest::newRow("a live process on this computer") << "" << true << 0 << false;
    QTest::newRow("a crashed process on this computer") << "" << false << 0 << true;
}

void TestArchiveLock::lockOfAnotherStation()
{
    QFETCH(QString, host);
    QFETCH(bool, holderAlive);
    QFETCH(int, ageSeconds);
    QFETCH(bool, takenOver);

    const QByteArray before = archiveBytes(RecordSize, 2);
    QVERIFY(writeFile(archivePath(), before));
    const QString station = host.isEmpty() ? QSysInfo::machineHostName() : host;
    pid_t holder = -1;
    if (host.isEmpty() && holderAlive) {
        holder = holdingProcess(archivePath());
        QVERIFY(holder > 0);
    } else {
        // Another computer's process number means nothing here; only the lock's age tells.
        plantLock(host.isEmpty() ? endedProcess() : 4242, station, std::chrono::seconds(ageSeconds));
    }
    const auto release = qScopeGuard([holder] {
        if (holder > 0) {
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
    });

    RecordFile file(archivePath(), RecordSize);
    QElapsedTimer clock;
    clock.start();
    if (takenOver) {
        QCOMPARE(file.append(numberedRecord(RecordSize, 3)), 3);
        QVERIFY(!QFileInfo::exists(ArchiveLock::lockPathFor(archivePath())));
        QCOMPARE(fileContent(archivePath()), archiveBytes(RecordSize, 3));
        return;
    }
    try {
        file.update(1, numberedRecord(RecordSize, 9));
        QFAIL("wrote through another station's lock");
    } catch (const ArchiveBusy& busy) {
        QCOMPARE(busy.station(), station);
    }
    // Gave up after its patience, not at once and not much later.
    QVERIFY2(clock.elapsed() >= 250 && clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(fileContent(archivePath()), before);
    QVERIFY(QFileInfo::exists(ArchiveLock::lockPathFor(archivePath())));
}

void TestArchiveLock::lockLeftEmpty_data()
{
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("takenOver");
    QTest::newRow("just created by a station still writing its name") << 0 << false;
    QTest::newRow("left by a station that died creating it") << 3 << true;
}

void TestArchiveLock::lockLeftEmpty()
{
    QFETCH(int, ageSeconds);
    QFETCH(bool, takenOver);

    QVERIFY(writeFile(archivePath(), QByteArray()));
    plantLock(0, QString(), std::chrono::seconds(ageSeconds));
    RecordFile file(archivePath(), RecordSize);
    if (takenOver) {
        QCOMPARE(file.append(numberedRecord(RecordSize, 1)), 1);
    } else {
        try {
            file.append(numberedRecord(RecordSize, 1));
            QFAIL("wrote through a lock being made");
        } catch (const ArchiveBusy& busy) {
            QCOMPARE(busy.station(), QString());
        }
    }
    QCOMPARE(QFileInfo(archivePath()).size(), takenOver ? RecordSize : 0);
}

void TestArchiveLock::noLockCanBeMade_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::newRow("folder that refuses new files") << false;
    QTest::newRow("a FIFO in the lock's place") << true;
}

void TestArchiveLock::noLockCanBeMade()
{
    QFETCH(bool, fifo);
    const QByteArray before = archiveBytes(RecordSize, 1);
    QVERIFY(writeFile(archivePath(), before));
    RecordFile file(archivePath(), RecordSize);
    std::optional<fileFaults::Injected> folder;
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(ArchiveLock::lockPathFor(archivePath())).constData(), 0666), 0);
    else
        folder.emplace(fileFaults::Plan{fileFaults::Fault::CreateRefused, 0, m_dir->path()});
    try {
        file.append(numberedRecord(RecordSize, 2));
        QFAIL("wrote without a lock");
    } catch (const ArchiveBusy&) {
        QFAIL("a folder without a lock is no busy station");
    } catch (const ArchiveError&) {
    }
    QCOMPARE(fileContent(archivePath()), before);
}

QTEST_GUILESS_MAIN(TestArchiveLock)
#include "tst_archivelock.moc"
