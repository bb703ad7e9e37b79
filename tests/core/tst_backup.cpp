// Daily backups of the data folder and their restoration.
#include "app/ProgramFolder.h"
#include "app/Startup.h"
#include "backup/Backup.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTest>

#include <zip.h>

using namespace fixtures;

namespace {

// A data folder with one of everything a backup holds, and things it does not.
void fillDataFolder(const QString& folder)
{
    QDir dir(folder);
    QVERIFY(dir.mkpath(QStringLiteral("Anagrafica")));
    QVERIFY(dir.mkpath(QStringLiteral("Documenti_Allegati")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Coppa Estate.vai")), QByteArray(5865, 'a')));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Archivio_Squadre.pro")), QByteArray(4148, 'b')));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Archivio_Giocatori.pro")), QByteArray(3096, 'c')));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=00\r\n"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Anagrafica/Scheda_Giocatore_1.jpg")), "jpeg"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Documenti_Allegati/Città.pdf")), "pdf"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Guida.pdf")), "guide"));            // shipped, not data
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Coppa Estate.vai.lock")), "lock"));  // a station's lock
}

QStringList zipEntries(const QString& path)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    QStringList names;
    if (!archive)
        return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names.append(QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0)));
    zip_discard(archive);
    names.sort();
    return names;
}

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void holdsTheArchivesOnly()
    {
        QTemporaryDir data;
        fillDataFolder(data.path());
        const backup::Outcome made = backup::make(data.path(), QDate(2026, 12, 10));
        QVERIFY2(made.error.isEmpty(), qPrintable(made.error));
        QVERIFY(made.written);
        QCOMPARE(made.path, data.filePath(QStringLiteral("Backup/2026-12-10.zip")));
        const QStringList expected{QStringLiteral("Anagrafica/Scheda_Giocatore_1.jpg"), QStringLiteral("Archivio_Giocatori.pro"),
                                   QStringLiteral("Archivio_Squadre.pro"), QStringLiteral("Coppa Estate.vai"),
                                   QStringLiteral("Documenti_Allegati/Citt\u00E0.pdf"), QStringLiteral("unins000.dll")};
        QCOMPARE(zipEntries(made.path), expected);
    }

    // Start-up hands the backup to a worker and goes on at once.
    void startUpBacksUpOnAWorker()
    {
        QTemporaryDir data;
        fillDataFolder(data.path());
        programFolder::set(data.path());
        startup::startDailyBackup(QDate(2026, 12, 10));
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        QCOMPARE(zipEntries(data.filePath(QStringLiteral("Backup/2026-12-10.zip"))).size(), 6);
    }

    void onceADayAndTheNewestFourteenKept()
    {
        QTemporaryDir data;
        fillDataFolder(data.path());
        const QDate first(2026, 11, 20);
        for (int day = 0; day < 15; ++day)
            QVERIFY(backup::make(data.path(), first.addDays(day)).written);
        const QStringList kept = QDir(data.filePath(backup::folderName)).entryList(QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), 14);
        QCOMPARE(kept.first(), QStringLiteral("2026-11-21.zip"));  // the 15th removed the oldest
        QCOMPARE(kept.last(), QStringLiteral("2026-12-04.zip"));

        // The day's backup exists: a second start that day writes nothing.
        const backup::Outcome again = backup::make(data.path(), first.addDays(14));
        QVERIFY(!again.written);
        QVERIFY(again.error.isEmpty());
    }

    void failureIsReportedAndNothingHalfWritten()
    {
        QTemporaryDir data;
        fillDataFolder(data.path());
        QVERIFY(writeFile(data.filePath(backup::folderName), "a file where the folder should be"));
        const backup::Outcome made = backup::make(data.path(), QDate(2026, 12, 10));
        QVERIFY(!made.written);
        QVERIFY(!made.error.isEmpty());
    }

    void restoreIntoAnEmptyFolder()
    {
        QTemporaryDir data, target;
        fillDataFolder(data.path());
        const backup::Outcome made = backup::make(data.path(), QDate(2026, 12, 10));
        const QString into = target.filePath(QStringLiteral("nuova"));
        QCOMPARE(backup::restore(made.path, into), QString());
        for (const QString& name : backup::contents(data.path()))
            QCOMPARE(fileContent(into + u'/' + name), fileContent(data.filePath(name)));
        QCOMPARE(backup::contents(into), backup::contents(data.path()));
    }

    void restoreRefusesAFolderWithArchives()
    {
        QTemporaryDir data;
        fillDataFolder(data.path());
        const backup::Outcome made = backup::make(data.path(), QDate(2026, 12, 10));
        QVERIFY(writeFile(data.filePath(QStringLiteral("Archivio_Squadre.pro")), "changed since"));
        QVERIFY(!backup::restore(made.path, data.path()).isEmpty());
        QCOMPARE(fileContent(data.filePath(QStringLiteral("Archivio_Squadre.pro"))), QByteArray("changed since"));
    }

    // A zip made elsewhere cannot write outside the folder it is restored into.
    void restoreRefusesEntriesLeavingTheFolder()
    {
        QTemporaryDir dir;
        const QString zipPath = dir.filePath(QStringLiteral("cattivo.zip"));
        int code = 0;
        zip_t* archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        QVERIFY(archive);
        static const char bytes[] = "x";
        zip_source_t* source = zip_source_buffer(archive, bytes, 1, 0);
        QVERIFY(zip_file_add(archive, "../fuori.vai", source, 0) >= 0);
        QCOMPARE(zip_close(archive), 0);
        QVERIFY(!backup::restore(zipPath, dir.filePath(QStringLiteral("dentro"))).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fuori.vai"))));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
