// Daily backups of the data folder and their restoration.
#include "app/ProgramFolder.h"
#include "app/Startup.h"
#include "backup/Backup.h"
#include "storage/FileFaults.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTest>

#include <zip.h>

#include <csignal>
#include <cstring>
#include <optional>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fixtures;

namespace {

// A data folder with one of everything a backup holds, and things it does not.
void fillDataFolder(const QString& folder)
{
    QDir dir(folder);
    QVERIFY(dir.mkpath(QStringLiteral("Anagrafica")));
    QVERIFY(dir.mkpath(QStringLiteral("Documenti_Allegati")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Coppa Estate.vai")), QByteArray(5865, 'a')));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Coppa Estate.cal")), QByteArray(256, 'k')));  // its calendar
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Archivio_Squadre.pro")), QByteArray(4148, 'b')));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Archivio_Giocatori.pro")), QByteArray(3096, 'c')));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=00\r\n"));
    // Withdrawal marks go with their archives; one beside no archive of the program does not.
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Coppa Estate.vai.rit")), "R000000000120270312        "));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Archivio_Squadre.pro.rit")), "R000000000120270312        "));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Appunti.txt.rit")), "not ours"));
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

// A zip of the given entries, each (name, content), stored uncompressed unless told otherwise.
QString makeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& entries,
                zip_int32_t method = ZIP_CM_STORE)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return {};
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, 0);
        zip_set_file_compression(archive, zip_uint64_t(index), method, 0);
    }
    return zip_close(archive) == 0 ? path : QString();
}

// Marks the first entry of the zip at `path` as a file of the Unix kind `type` (S_IFLNK…).
bool markFirstEntry(const QString& path, quint32 type)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), 0, &code);
    return archive && zip_file_set_external_attributes(archive, 0, 0, ZIP_OPSYS_UNIX, (type | 0777u) << 16) == 0
           && zip_close(archive) == 0;
}

// Writes `size` as the unpacked size that both headers of entry `name` declare.
bool declareSize(QByteArray& zip, const QByteArray& name, quint32 size)
{
    int patched = 0;
    for (qsizetype at = zip.indexOf(name); at >= 0; at = zip.indexOf(name, at + 1)) {
        qsizetype field = -1;
        if (at >= 30 && zip.mid(at - 30, 4) == "PK\x03\x04")
            field = at - 30 + 22;
        else if (at >= 46 && zip.mid(at - 46, 4) == "PK\x01\x02")
            field = at - 46 + 24;
        if (field < 0)
            continue;
        for (int i = 0; i < 4; ++i)
            zip[field + i] = char((size >> (8 * i)) & 0xFF);
        ++patched;
    }
    return patched == 2;
}

// An entry of `size` zero bytes that libzip compresses as it goes: a huge entry in a small zip.
zip_int64_t zeros(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* left = static_cast<zip_uint64_t*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t n = std::min(length, *left);
        std::memset(data, 0, n);
        *left -= n;
        return zip_int64_t(n);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        return 0;
    }
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        return -1;
    }
}

QString makeHugeZip(const QString& path, zip_uint64_t size)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    static zip_uint64_t left;
    left = size;
    zip_source_t* source = zip_source_function(archive, zeros, &left);
    const zip_int64_t index = zip_file_add(archive, "Anagrafica/enorme.jpg", source, 0);
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    return zip_close(archive) == 0 ? path : QString();
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
                                   QStringLiteral("Archivio_Squadre.pro"), QStringLiteral("Archivio_Squadre.pro.rit"),
                                   QStringLiteral("Coppa Estate.cal"), QStringLiteral("Coppa Estate.vai"),
                                   QStringLiteral("Coppa Estate.vai.rit"),
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
        QCOMPARE(zipEntries(data.filePath(QStringLiteral("Backup/2026-12-10.zip"))).size(), 9);
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

    // A backup asked for again the same day replaces the day's zip only when it holds all that
    // one did; after archives were moved away it is written beside it, and the message tells both.
    void secondBackupOfTheDayNeverHoldsLess()
    {
        QTemporaryDir data;
        fillDataFolder(data.path());
        const QDate day(2026, 12, 10);
        const QString first = data.filePath(QStringLiteral("Backup/2026-12-10.zip"));
        QCOMPARE(backup::make(data.path(), day).path, first);
        QVERIFY(writeFile(data.filePath(QStringLiteral("Coppa Estate.vai")), QByteArray(2 * 5865, 'a')));
        const backup::Outcome again = backup::make(data.path(), day, true);
        QCOMPARE(again.path, first);
        QVERIFY(again.kept.isEmpty());

        for (const char* moved : {"Coppa Estate.vai", "Coppa Estate.cal", "Coppa Estate.vai.rit", "Archivio_Squadre.pro",
                                  "Archivio_Squadre.pro.rit", "Archivio_Giocatori.pro"})
            QVERIFY(QFile::remove(data.filePath(QLatin1String(moved))));
        const backup::Outcome less = backup::make(data.path(), day, true);
        QVERIFY2(less.written, qPrintable(less.error));
        QCOMPARE(less.path, data.filePath(QStringLiteral("Backup/2026-12-10-2.zip")));
        QCOMPARE(less.kept, first);
        QCOMPARE(zipEntries(first).size(), 9);
        QCOMPARE(zipEntries(less.path).size(), 3);
        QCOMPARE(backup::report(less),
                 (QStringList{QStringLiteral("Backup scritto in %1, contiene: unins000.dll e 2 file di foto e allegati").arg(less.path),
                              QStringLiteral("Il backup precedente dello stesso giorno resta in %1, contiene: Archivio_Giocatori.pro, "
                                             "Archivio_Squadre.pro, Archivio_Squadre.pro.rit, Coppa Estate.cal, Coppa Estate.vai, "
                                             "Coppa Estate.vai.rit, unins000.dll e 2 file di foto e allegati")
                                  .arg(first)}));
        // A third goes beside both; the fourteen kept count them all.
        QCOMPARE(backup::make(data.path(), day, true).path, data.filePath(QStringLiteral("Backup/2026-12-10-3.zip")));
        for (int later = 1; later <= 13; ++later)
            QVERIFY(backup::make(data.path(), day.addDays(later)).written);
        QCOMPARE(QDir(data.filePath(backup::folderName)).entryList(QDir::Files).size(), backup::kept);
        QVERIFY(!QFileInfo::exists(first));
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

    // A backup never destroys a backup: with nothing to back up or no folder it writes nothing;
    // what stands under the day's name and is not a whole zip is replaced; a killed backup's
    // leftover goes.
    void backupCases_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("written");
        QTest::newRow("no archives") << "no archives" << false;
        QTest::newRow("missing folder") << "missing folder" << false;
        QTest::newRow("empty zip of today") << "empty zip" << true;
        QTest::newRow("damaged zip of today") << "damaged zip" << true;
        QTest::newRow("leftover of a killed backup") << "leftover" << true;
    }
    void backupCases()
    {
        QFETCH(QString, situation);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QString data = dir.filePath(QStringLiteral("dati"));
        QVERIFY(QDir().mkpath(data + QStringLiteral("/Backup")));
        const QString yesterday = data + QStringLiteral("/Backup/2026-12-09.zip");
        QVERIFY(writeFile(yesterday, "the backup of yesterday, whatever it holds"));
        const QString today = data + QStringLiteral("/Backup/2026-12-10.zip");
        const QString leftover = data + QStringLiteral("/Backup/.2026-12-08.zip.golvera-4242-0badf00d.tmp");
        if (situation != u"no archives")
            fillDataFolder(data);
        if (situation == u"missing folder")
            data = dir.filePath(QStringLiteral("manca"));
        else if (situation == u"empty zip")
            QVERIFY(writeFile(today, QByteArray()));
        else if (situation == u"damaged zip")
            QVERIFY(writeFile(today, "PK\x03\x04 cut short"));
        else if (situation == u"leftover")
            QVERIFY(writeFile(leftover, QByteArray(4096, 'z')));

        const backup::Outcome made = backup::make(data, QDate(2026, 12, 10));
        QCOMPARE(made.written, written);
        QCOMPARE(made.error.isEmpty(), written);
        QCOMPARE(fileContent(yesterday), QByteArray("the backup of yesterday, whatever it holds"));
        if (written)
            QCOMPARE(zipEntries(today).size(), 9);
        else
            QVERIFY(!QFileInfo::exists(today));
        QVERIFY(!QFileInfo::exists(leftover));
        if (situation == u"missing folder")
            QVERIFY(!QFileInfo::exists(data));
    }

    // A restore is all or nothing: a failure at any point leaves the folder as it was, and the
    // same restore then works once the cause is gone.
    void restoreCases_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused entry last") << "refused entry" << "voce non ammessa nel backup: ../fuori.vai";
        QTest::newRow("disk full midway") << "disk full" << "impossibile scrivere Documenti_Allegati/b.pdf";
        QTest::newRow("folder holds another file") << "other file" << "contiene gi\u00E0 il file .bashrc";
        QTest::newRow("linked subfolder") << "linked subfolder" << "Anagrafica \u00E8 un collegamento";
        QTest::newRow("damaged entry") << "damaged entry" << "Documenti_Allegati/b.pdf \u00E8 danneggiato nel backup: CRC error";
        QTest::newRow("entry larger than it says")
            << "lying size" << "Documenti_Allegati/b.pdf \u00E8 danneggiato nel backup: contiene pi\u00F9 dei 1000 byte dichiarati";
        QTest::newRow("link under an archive's name")
            << "link entry" << "voce non ammessa nel backup: Coppa Estate.vai \u00E8 un collegamento, non un file";
        QTest::newRow("device under an archive's name")
            << "device entry" << "voce non ammessa nel backup: Coppa Estate.vai \u00E8 un dispositivo, non un file";
        QTest::newRow("folder under an archive's name")
            << "folder entry" << "voce non ammessa nel backup: Coppa Estate.vai \u00E8 una cartella, non un file";
    }
    void restoreCases()
    {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("dati"));
        const QString outside = dir.filePath(QStringLiteral("fuori"));
        QVERIFY(QDir().mkpath(target));
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(writeFile(target + QStringLiteral("/unins000.dll"), "[Accesso]\r\nValore=00\r\n"));
        QList<std::pair<QByteArray, QByteArray>> entries{{"Coppa Estate.vai", QByteArray(5865, 'a')},
                                                        {"Anagrafica/Scheda_Giocatore_1.jpg", "jpeg"},
                                                        {"Documenti_Allegati/b.pdf", QByteArray(100000, 'b')}};
        if (situation == u"refused entry")
            entries.append(std::pair<QByteArray, QByteArray>("../fuori.vai", "x"));
        const bool lying = situation == u"lying size";
        const QString zip = makeZip(dir.filePath(QStringLiteral("backup.zip")), entries, lying ? ZIP_CM_DEFLATE : ZIP_CM_STORE);
        QVERIFY(!zip.isEmpty());
        if (lying) {
            QByteArray bytes = fileContent(zip);
            QVERIFY(declareSize(bytes, "Documenti_Allegati/b.pdf", 1000));
            QVERIFY(writeFile(zip, bytes));
        }
        const std::pair<const char*, quint32> kinds[] = {{"link entry", S_IFLNK}, {"device entry", S_IFCHR}, {"folder entry", S_IFDIR}};
        for (const auto& [kind, type] : kinds) {
            if (situation == QLatin1String(kind))
                QVERIFY(markFirstEntry(zip, type));
        }
        if (situation == u"damaged entry") {
            QByteArray bytes = fileContent(zip);
            const qsizetype at = bytes.indexOf(QByteArray(100, 'b'));
            QVERIFY(at > 0);
            bytes[at + 50] = 'c';
            QVERIFY(writeFile(zip, bytes));
        }
        std::function<void()> removeCause = [] {};
        std::optional<fileFaults::Injected> fault;
        if (situation == u"disk full") {
            fault.emplace(fileFaults::Plan{fileFaults::Fault::WriteFails, 3, target});
        } else if (situation == u"other file") {
            QVERIFY(writeFile(target + QStringLiteral("/.bashrc"), "alias ls='ls -l'"));
            removeCause = [&] { QFile::remove(target + QStringLiteral("/.bashrc")); };
        } else if (situation == u"linked subfolder") {
            QVERIFY(QFile::link(outside, target + QStringLiteral("/Anagrafica")));
            removeCause = [&] { QFile::remove(target + QStringLiteral("/Anagrafica")); };
        }
        const QStringList before = listing(target);
        const QByteArray storeBefore = fileContent(target + QStringLiteral("/unins000.dll"));

        const QString failure = backup::restore(zip, target);
        QVERIFY2(failure.contains(message), qPrintable(failure));
        QVERIFY(!failure.contains(QStringLiteral("No error")));
        fault.reset();
        QCOMPARE(listing(target), before);
        QCOMPARE(fileContent(target + QStringLiteral("/unins000.dll")), storeBefore);
        QCOMPARE(listing(outside), QStringList());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fuori.vai"))));

        if (situation != u"disk full" && situation != u"other file" && situation != u"linked subfolder")
            return;
        removeCause();
        QCOMPARE(backup::restore(zip, target), QString());
        QCOMPARE(fileContent(target + QStringLiteral("/Documenti_Allegati/b.pdf")), QByteArray(100000, 'b'));
        QCOMPARE(fileContent(target + QStringLiteral("/Coppa Estate.vai")), QByteArray(5865, 'a'));
    }

    // A 3 GB entry is streamed: under a memory limit far below its size the restore fails only
    // when the disk (here a file size limit) fills, reports it and leaves the folder as it was.
    void restoreOfAHugeEntryStreams()
    {
        QTemporaryDir dir;
        const QString zip = makeHugeZip(dir.filePath(QStringLiteral("enorme.zip")), zip_uint64_t(3) << 30);
        QVERIFY(!zip.isEmpty());
        QVERIFY(QFileInfo(zip).size() < 16 << 20);
        const QString target = dir.filePath(QStringLiteral("dati"));
        const int exitCode = exitCodeUnderLimits(rlim_t(512) << 20, rlim_t(64) << 20, [&] {
            const QString failure = backup::restore(zip, target);
            return failure.contains(QStringLiteral("impossibile scrivere Anagrafica/enorme.jpg")) ? 3 : 4;
        });
        QCOMPARE(exitCode, 3);  // -1: killed, as by an allocation that failed
        QVERIFY(!QFileInfo::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
