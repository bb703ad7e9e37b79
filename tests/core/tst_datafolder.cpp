// Which folder holds the data, and what a first start puts into a per-user folder.
#include "app/DataFolder.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using dataFolder::Source;
Q_DECLARE_METATYPE(Source)

class TestDataFolder : public QObject {
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<Source>("source");

        QTest::newRow("writable program folder") << QString() << true << "/opt/golvera" << Source::ProgramFolder;
        QTest::newRow("read-only program folder") << QString() << false << "/home/u/.local/share/Golvera"
                                                  << Source::UserFolder;
        QTest::newRow("--cartella over a writable folder") << "/dati" << true << "/dati" << Source::CommandLine;
        QTest::newRow("--cartella over a read-only folder") << "/dati" << false << "/dati" << Source::CommandLine;
    }

    void choice()
    {
        QFETCH(QString, option);
        QFETCH(bool, programWritable);
        QFETCH(QString, folder);
        QFETCH(Source, source);
        const dataFolder::Choice choice =
            dataFolder::choose(option, QStringLiteral("/opt/golvera"), programWritable, QStringLiteral("/home/u/.local/share/Golvera"));
        QCOMPARE(choice.folder, folder);
        QCOMPARE(choice.source, source);
        QVERIFY(dataFolder::describe(choice).contains(folder));
    }

    void writableIsTried()
    {
        QTemporaryDir dir;
        QVERIFY(dataFolder::isWritable(dir.path()));
        QVERIFY(!dataFolder::isWritable(dir.filePath(QStringLiteral("manca"))));
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }

    // A missing per-user folder is made, and the first-access store copied once, never over a
    // store whose password was changed since.
    void firstStartInAUserFolder()
    {
        QTemporaryDir dir;
        const QString shipped = dir.filePath(QStringLiteral("shipped.dll"));
        QVERIFY(fixtures::writeFile(shipped, "[Accesso]\r\nValore=01\r\n"));
        const dataFolder::Choice user{dir.filePath(QStringLiteral("utente/Golvera")), Source::UserFolder};
        QVERIFY(dataFolder::prepare(user, shipped));
        const QString store = user.folder + QStringLiteral("/unins000.dll");
        QCOMPARE(fixtures::fileContent(store), QByteArray("[Accesso]\r\nValore=01\r\n"));

        QVERIFY(fixtures::writeFile(store, "[Accesso]\r\nValore=02\r\n"));
        QVERIFY(dataFolder::prepare(user, shipped));
        QCOMPARE(fixtures::fileContent(store), QByteArray("[Accesso]\r\nValore=02\r\n"));

        // A program folder is left as it is.
        const dataFolder::Choice own{dir.filePath(QStringLiteral("programma")), Source::ProgramFolder};
        QVERIFY(dataFolder::prepare(own, shipped));
        QVERIFY(!QFileInfo::exists(own.folder));

        // No shipped store to copy: reported, and nothing half-made left behind.
        const dataFolder::Choice other{dir.filePath(QStringLiteral("altro")), Source::UserFolder};
        QVERIFY(!dataFolder::prepare(other, dir.filePath(QStringLiteral("manca.dll"))));
        QVERIFY(QDir(other.folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // An installed copy keeps out of its own folder even when it could write there.
    void installedCopyUsesTheUserFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("share/golvera")));
        const QString bin = dir.filePath(QStringLiteral("bin"));
        QCOMPARE(dataFolder::chooseFor({}, bin).source, Source::ProgramFolder);
        QVERIFY(fixtures::writeFile(dir.filePath(QStringLiteral("share/golvera/unins000.dll")), "[Accesso]\r\n"));
        QCOMPARE(dataFolder::chooseFor({}, bin).source, Source::UserFolder);
        QCOMPARE(dataFolder::chooseFor(dir.path(), bin).source, Source::CommandLine);
        // A portable copy with its own store stays in its folder.
        QVERIFY(fixtures::writeFile(bin + QStringLiteral("/unins000.dll"), "[Accesso]\r\n"));
        QCOMPARE(dataFolder::chooseFor({}, bin).source, Source::ProgramFolder);
    }

    void shippedFilesOfAnInstalledCopy()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        const QString bin = dir.filePath(QStringLiteral("bin"));
        QCOMPARE(QDir::cleanPath(dataFolder::shippedFile(bin, QStringLiteral("Guida.pdf"))),
                 dir.filePath(QStringLiteral("share/golvera/Guida.pdf")));
        QVERIFY(fixtures::writeFile(bin + QStringLiteral("/Guida.pdf"), "pdf"));
        QCOMPARE(dataFolder::shippedFile(bin, QStringLiteral("Guida.pdf")), bin + QStringLiteral("/Guida.pdf"));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
