#include "app/PasswordStore.h"
#include "editor/RecordEditing.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/TournamentRecord.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using namespace fixtures;

namespace {

QByteArray entry(const QString& team, const QString& note = QString())
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Note = note;
    record.Punteggio = QStringLiteral("0,00");
    return record.toBytes();
}

// Processes started together: each waits until every one has been forked, then runs `work` and
// exits with its result. Returns the exit codes (-1 for a process that did not exit normally).
QList<int> runTogether(int count, const std::function<int(int index)>& work)
{
    int gate[2];
    if (::pipe(gate) != 0)
        return {};
    QList<pid_t> children;
    for (int index = 0; index < count; ++index) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(gate[1]);
            char byte;
            (void)!::read(gate[0], &byte, 1);  // returns once the parent closes its end
            int code = 1;
            try {
                code = work(index);
            } catch (...) {
            }
            ::_exit(code);
        }
        children << child;
    }
    ::close(gate[0]);
    ::close(gate[1]);
    QList<int> codes;
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        codes << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return codes;
}

// Starts `work`, which runs until it is stopped, in a child and kills it without warning
// `delayMs` milliseconds after `started()` first holds, looked at every millisecond: a loaded
// machine may take a while to get the child going. False when the child stopped by itself (its
// work failed) or had not started after ten seconds.
bool killDuring(int delayMs, const std::function<void()>& work, const std::function<bool()>& started = [] { return true; })
{
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            work();
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "child: %s\n", failure.what());
        }
        ::_exit(1);
    }
    QElapsedTimer waited;
    waited.start();
    bool going = started();
    for (; !going && waited.elapsed() < 10000; going = started())
        ::usleep(1000);
    ::usleep(useconds_t(delayMs) * 1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return going && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace

// Several processes on one archive, as several stations on one shared folder: they save through
// the editors' own code path and are killed in the middle of writing.
class TestSharedFolder : public QObject {
    Q_OBJECT

private slots:
    void init();

    void concurrentAppendsAndUpdatesLoseNothing();
    void concurrentUpdateOfOneRecordGivesOneConflict();
    void killedPasswordChangeLeavesOldOrNewPassword();
    void killedAppendsLeaveWholeRecords();

private:
    QString archivePath() const { return m_dir->filePath(QStringLiteral("Coppa.vai")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSharedFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSharedFolder::concurrentAppendsAndUpdatesLoseNothing()
{
    constexpr int Writers = 4;
    constexpr int PerWriter = 500;
    // In memory where the system offers it: what is tested is how the processes share the file,
    // and thousands of flushes to a disk that other builds keep busy would take most of a minute.
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QTemporaryDir inMemory(QStringLiteral("/dev/shm/golvera-XXXXXX"));
    const QString path = memory.isDir() && memory.isWritable() && inMemory.isValid()
        ? inMemory.filePath(QStringLiteral("Coppa.vai"))
        : archivePath();

    // Each writer notes, per record of its own, where it was told the record is and which version
    // it saved last. The archive does not exist yet: all four create it at the same moment.
    const QList<int> codes = runTogether(Writers, [&](int writer) {
        QRandomGenerator random(quint32(writer + 1));
        QList<qint64> positions;
        QList<QByteArray> saved;
        QList<int> versions;
        try {
            for (int n = 0; n < PerWriter; ++n) {
                const QByteArray record = entry(QStringLiteral("S%1-%2").arg(writer).arg(n), QStringLiteral("v0"));
                positions << recordEditing::save(path, record, QString()).position;
                saved << record;
                versions << 0;
                if (n % 5 != 4)
                    continue;
                const int mine = int(random.bounded(n + 1));
                const QByteArray update =
                    entry(QStringLiteral("S%1-%2").arg(writer).arg(mine), QStringLiteral("v%1").arg(versions[mine] + 1));
                const QByteArray expected = saved[mine];
                recordEditing::save(path, update, recordEditing::positionText(positions[mine]),
                                    [&expected](QByteArrayView current) { return current == expected; });
                saved[mine] = update;
                ++versions[mine];
            }
        } catch (const RecordChanged&) {
            return 3;
        } catch (const ArchiveError&) {
            return 2;
        }
        QFile report(path + QStringLiteral(".%1.txt").arg(writer));
        if (!report.open(QIODevice::WriteOnly))
            return 4;
        for (int n = 0; n < PerWriter; ++n)
            report.write(QByteArray::number(positions[n]) + ' ' + QByteArray::number(versions[n]) + '\n');
        return 0;
    });
    QCOMPARE(codes, QList<int>(Writers, 0));

    const QByteArray archive = fileContent(path);
    QCOMPARE(archive.size(), qsizetype(Writers) * PerWriter * TournamentRecord::Size);
    QSet<qint64> told;
    for (int writer = 0; writer < Writers; ++writer) {
        const QList<QByteArray> lines = fileContent(path + QStringLiteral(".%1.txt").arg(writer)).split('\n');
        for (int n = 0; n < PerWriter; ++n) {
            const QList<QByteArray> fields = lines.value(n).split(' ');
            const qint64 position = fields.value(0).toLongLong();
            QVERIFY(position >= 1 && position <= Writers * PerWriter);
            told.insert(position);
            const QByteArray expected =
                entry(QStringLiteral("S%1-%2").arg(writer).arg(n), "v" + QString::fromLatin1(fields.value(1)));
            QVERIFY2(archive.mid((position - 1) * TournamentRecord::Size, TournamentRecord::Size) == expected,
                     qPrintable(QStringLiteral("writer %1, record %2 at %3").arg(writer).arg(n).arg(position)));
        }
    }
    QCOMPARE(told.size(), Writers * PerWriter);
    QVERIFY(!QFileInfo::exists(ArchiveLock::lockPathFor(path)));
}

void TestSharedFolder::concurrentUpdateOfOneRecordGivesOneConflict()
{
    const QString path = archivePath();
    const QByteArray original = entry(QStringLiteral("Aquile"));
    QVERIFY(writeFile(path, original));

    for (int round = 0; round < 10; ++round) {
        const QByteArray shown = fileContent(path);
        // Both stations show the record as it is now, then save their own change at once.
        const QList<int> codes = runTogether(2, [&](int station) {
            const QByteArray mine = entry(QStringLiteral("Aquile"), QStringLiteral("round %1 station %2").arg(round).arg(station));
            try {
                recordEditing::save(path, mine, QStringLiteral("1"), [&shown](QByteArrayView current) { return current == shown; });
            } catch (const RecordChanged&) {
                return 10;
            } catch (const ArchiveError&) {
                return 2;
            }
            return 0;
        });
        QCOMPARE(codes.count(0), 1);
        QCOMPARE(codes.count(10), 1);
        const int winner = int(codes.indexOf(0));
        QCOMPARE(fileContent(path), entry(QStringLiteral("Aquile"), QStringLiteral("round %1 station %2").arg(round).arg(winner)));
    }
}

void TestSharedFolder::killedPasswordChangeLeavesOldOrNewPassword()
{
    const QString store = m_dir->filePath(QStringLiteral("unins000.dll"));
    QVERIFY(passwordStore::writeValue(store, QStringLiteral("4C4D4CD7006524")));  // "GOLVERA"
    const QStringList passwords = {QStringLiteral("GOLVERA"), QStringLiteral("NUOVA")};

    QRandomGenerator random(7);
    for (int round = 0; round < 40; ++round) {
        // The child changes the password back and forth until it is killed.
        const bool killed = killDuring(int(random.bounded(2, 30)), [&] {
            const bool oldInUse = accessControl::checkLogin(store, passwords[0]) == accessControl::LoginResult::Accepted;
            for (int n = oldInUse ? 0 : 1;; ++n) {
                if (accessControl::changePassword(store, passwords[n % 2], passwords[(n + 1) % 2], passwords[(n + 1) % 2])
                    != accessControl::ChangeResult::Changed)
                    return;
            }
        });
        QVERIFY2(killed, "a change failed before the kill");
        const bool oldOpens = accessControl::checkLogin(store, passwords[0]) == accessControl::LoginResult::Accepted;
        const bool newOpens = accessControl::checkLogin(store, passwords[1]) == accessControl::LoginResult::Accepted;
        QVERIFY2(oldOpens != newOpens, qPrintable(QStringLiteral("round %1: %2").arg(round).arg(QString::fromLatin1(fileContent(store)))));
    }
}

void TestSharedFolder::killedAppendsLeaveWholeRecords()
{
    const QString path = archivePath();
    const QRegularExpression name(QStringLiteral("^K(\\d+)-(\\d+)$"));
    QRandomGenerator random(11);
    for (int round = 0; round < 40; ++round) {
        // Killed at some point of its appends once it has taken over the lock the previous child
        // left and appended a first record.
        const qint64 before = QFileInfo(path).size();
        const bool killed = killDuring(
            int(random.bounded(0, 40)),
            [&] {
                for (int n = 0;; ++n)
                    recordEditing::save(path, entry(QStringLiteral("K%1-%2").arg(round).arg(n)), QString());
            },
            [&] { return QFileInfo(path).size() >= before + TournamentRecord::Size; });
        QVERIFY2(killed, qPrintable(QStringLiteral("round %1: no append, or an append failed before the kill").arg(round)));
    }

    // Whatever the kills cut short, every counted record is whole, and each round's records follow
    // one another in order.
    const QByteArray archive = fileContent(path);
    const qint64 records = archive.size() / TournamentRecord::Size;
    QVERIFY(records > 0);
    int lastRound = -1;
    int lastNumber = -1;
    QSet<int> roundsThatWrote;
    for (qint64 k = 0; k < records; ++k) {
        const QByteArray bytes = archive.mid(k * TournamentRecord::Size, TournamentRecord::Size);
        const TournamentRecord record = TournamentRecord::fromBytes(bytes);
        const QRegularExpressionMatch match = name.match(record.Concorrente);
        QVERIFY2(match.hasMatch() && record.toBytes() == bytes, qPrintable(QStringLiteral("record %1 is torn").arg(k + 1)));
        const int round = match.captured(1).toInt();
        const int number = match.captured(2).toInt();
        QVERIFY(round > lastRound || (round == lastRound && number == lastNumber + 1));
        QCOMPARE(number, round == lastRound ? lastNumber + 1 : 0);
        lastRound = round;
        lastNumber = number;
        roundsThatWrote.insert(round);
    }
    // Every child got past the lock its killed predecessor left.
    QCOMPARE(roundsThatWrote.size(), 40);

    // A lock left by a killed writer does not keep the next one waiting.
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(recordEditing::save(path, entry(QStringLiteral("dopo")), QString()).position, records + 1);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
