#include "output/ArchiveScan.h"
#include "storage/ArchiveError.h"
#include "storage/FileFaults.h"
#include "storage/RecordFile.h"
#include "storage/RecordJournal.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

using namespace fixtures;
using fileFaults::Fault;

namespace {

constexpr int RecordSize = 300;

enum class Batch { AppendsAndUpdates, UpdatesOnly };

// The archive before: five records and the piece of one that was never finished (the appended
// records overwrite it, so a rollback must bring it back).
QByteArray oldArchive() { return archiveBytes(RecordSize, 5, 17); }

QList<RecordFile::Change> changes()
{
    return {{2, numberedRecord(RecordSize, 102), {}}, {4, numberedRecord(RecordSize, 104), {}},
            {5, numberedRecord(RecordSize, 105), {}}};
}

QByteArray newArchive(Batch batch)
{
    QByteArray bytes = archiveBytes(RecordSize, 5);
    for (const RecordFile::Change& change : changes())
        bytes.replace((change.position - 1) * RecordSize, RecordSize, change.record);
    if (batch == Batch::AppendsAndUpdates) {
        for (int n = 6; n <= 9; ++n)
            bytes += numberedRecord(RecordSize, n);
    } else {
        bytes += QByteArray(17, 'z');
    }
    return bytes;
}

// The batch as an import writes it: appended records made a piece at a time, then the updates.
void writeBatch(const QString& path, Batch batch)
{
    RecordFile file(path, RecordSize);
    const qint64 appended = batch == Batch::AppendsAndUpdates ? 4 : 0;
    file.writeAll(appended, [](qint64 first, qint64 count, char* into) {
        for (qint64 i = 0; i < count; ++i) {
            const QByteArray record = numberedRecord(RecordSize, 6 + first + i);
            std::memcpy(into + i * RecordSize, record.constData(), RecordSize);
        }
    }, changes());
    file.close();
}

// Runs the batch in a child process that `fault` stops at its `nth` occasion; the exit code:
// fileFaults::stoppedExitCode when it was stopped, 0 when it finished first.
int stoppedWriter(const QString& folder, Batch batch, Fault fault, int nth)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 1;
        try {
            const fileFaults::Injected stop({fault, nth, folder});
            writeBatch(QDir(folder).filePath(QStringLiteral("Coppa.vai")), batch);
            code = 0;
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

Q_DECLARE_METATYPE(Batch)
Q_DECLARE_METATYPE(Fault)

// A write of many records is all or nothing when its process stops dead at any step.
class TestRecordJournal : public QObject {
    Q_OBJECT

private slots:
    void stoppedAtEveryStepLeavesOldOrNew_data();
    void stoppedAtEveryStepLeavesOldOrNew();
    void nextWriterUndoesADeadWritersBatchFirst();
    void journalIsNoArchive();
};

void TestRecordJournal::stoppedAtEveryStepLeavesOldOrNew_data()
{
    QTest::addColumn<Batch>("batch");
    QTest::addColumn<Fault>("fault");
    const struct {
        const char* name;
        Batch batch;
    } batches[] = {{"appends and updates", Batch::AppendsAndUpdates}, {"updates only", Batch::UpdatesOnly}};
    const struct {
        const char* name;
        Fault fault;
    } stops[] = {{"after a write", Fault::StopsAfterWrite},
                 {"halfway through a write", Fault::StopsMidWrite},
                 {"after a flush", Fault::StopsAfterFlush}};
    for (const auto& batch : batches) {
        for (const auto& stop : stops)
            QTest::addRow("%s, stopped %s", batch.name, stop.name) << batch.batch << stop.fault;
    }
}

void TestRecordJournal::stoppedAtEveryStepLeavesOldOrNew()
{
    QFETCH(Batch, batch);
    QFETCH(Fault, fault);

    int stopped = 0;
    bool finished = false;
    for (int nth = 1; !finished && nth < 50; ++nth) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString archive = dir.filePath(QStringLiteral("Coppa.vai"));
        QVERIFY(writeFile(archive, oldArchive()));

        const int code = stoppedWriter(dir.path(), batch, fault, nth);
        QVERIFY2(code == 0 || code == fileFaults::stoppedExitCode, qPrintable(QStringLiteral("exit code %1").arg(code)));
        finished = code == 0;
        stopped += finished ? 0 : 1;

        // Another process opens the folder as a list does: it sees the old records or the new ones.
        QByteArray seen;
        const QString failure = archiveScan::visit(archive, RecordSize, [&](qint64, QByteArrayView record) {
            seen.append(record.toByteArray());
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QByteArray now = fileContent(archive);
        const QByteArray expected = finished ? newArchive(batch) : oldArchive();
        if (now != expected) {
            // Stopped after the journal went: the batch counts.
            QVERIFY2(!finished && now == newArchive(batch),
                     qPrintable(QStringLiteral("stopped at step %1: neither the old archive nor the new one").arg(nth)));
        }
        QCOMPARE(seen, now.left(now.size() / RecordSize * RecordSize));
        // No journal stays; a dead writer's lock may (the next writer takes it over).
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        left.removeOne(QStringLiteral("Coppa.vai.lock"));
        QCOMPARE(left, QStringList{QStringLiteral("Coppa.vai")});
    }
    QVERIFY2(finished, "the writer never got to the end");
    QVERIFY2(stopped > 0, "the writer was never stopped");
}

// Stopped after the archive was written but before the journal went, the batch is undone by the
// next writer (under the lock, before its own record), and the next reader finds nothing to undo.
void TestRecordJournal::nextWriterUndoesADeadWritersBatchFirst()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath(QStringLiteral("Coppa.vai"));
    QVERIFY(writeFile(archive, oldArchive()));
    // Opened before the batch: only its write can find the journal.
    RecordFile file(archive, RecordSize);
    // Flushes: the journal, its folder entry, the archive; then the journal's removal.
    QCOMPARE(stoppedWriter(dir.path(), Batch::AppendsAndUpdates, Fault::StopsAfterFlush, 3), fileFaults::stoppedExitCode);
    QCOMPARE(fileContent(archive), newArchive(Batch::AppendsAndUpdates));
    QVERIFY(QFileInfo::exists(recordJournal::pathFor(archive)));

    QCOMPARE(file.append(numberedRecord(RecordSize, 42)), 6);
    QCOMPARE(fileContent(archive), archiveBytes(RecordSize, 5) + numberedRecord(RecordSize, 42));
    QVERIFY(!QFileInfo::exists(recordJournal::pathFor(archive)));
}

// A journal cut short is recognised as such and never applied; a journal is never taken for an
// archive in a backup or a list (its name ends in neither an archive's extension nor its name).
void TestRecordJournal::journalIsNoArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath(QStringLiteral("Coppa.vai"));
    QVERIFY(writeFile(archive, oldArchive()));
    QString error;
    QVERIFY(recordJournal::write(archive, 3 * RecordSize, {{0, QByteArray(RecordSize, 'x')}}, &error));
    const QString journal = recordJournal::pathFor(archive);
    QVERIFY(!journal.endsWith(QStringLiteral(".vai")));
    QByteArray whole = fileContent(journal);
    for (qsizetype cut : {qsizetype(1), qsizetype(32), whole.size() - 8}) {
        QVERIFY(writeFile(journal, whole.left(whole.size() - cut)));
        QCOMPARE(RecordFile(archive, RecordSize).count(), 5);
        QCOMPARE(fileContent(archive), oldArchive());
        QVERIFY(!QFileInfo::exists(journal));
    }
    // Whole, it is applied: the first record back as it says, the file cut to its old size.
    QVERIFY(writeFile(journal, whole));
    QCOMPARE(RecordFile(archive, RecordSize).count(), 3);
    QCOMPARE(fileContent(archive), QByteArray(RecordSize, 'x') + archiveBytes(RecordSize, 3).mid(RecordSize));
}

QTEST_MAIN(TestRecordJournal)
#include "tst_recordjournal.moc"
