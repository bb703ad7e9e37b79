#include "app/Formats.h"
#include "app/Product.h"
#include "app/ProgramFolder.h"
#include "app/Startup.h"
#include "platform/ChooserFolders.h"
#include "platform/TMisc.h"
#include "FakePlatform.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestShellAndFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shellUrl_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("url");  // fully encoded
        QTest::newRow("quoted path with blanks") << "\"/home/club/Programmi Calcio/Guida.pdf\""
                                                 << "file:///home/club/Programmi%20Calcio/Guida.pdf";
        QTest::newRow("web address") << "https://www.golvera.example" << "https://www.golvera.example";
        QTest::newRow("quoted e-mail address") << "\"mailto:segreteria@club.example\""
                                               << "mailto:segreteria@club.example";
        QTest::newRow("empty e-mail address") << "\"mailto:\"" << "mailto:";
        QTest::newRow("subject and body encoded")
            << "\"mailto:a@b.example?subject=Software Golvera&body=Salve, più info?\""
            << "mailto:a@b.example?subject=Software%20Golvera&body=Salve%2C%20pi%C3%B9%20info%3F";
        QTest::newRow("ampersand-free body keeps its equals sign encoded")
            << "mailto:a@b.example?body=x=y" << "mailto:a@b.example?body=x%3Dy";
    }
    void shellUrl()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, url);
        QCOMPARE(TMisc::urlFor(commandLine).toString(QUrl::FullyEncoded), url);
    }

    void openGoesThroughTheShellSeam()
    {
        FakePlatform fake;
        TMisc::Open(product::writeToMakerCommand());
        QCOMPARE(fake.opened.size(), 1);
        const QUrl url = fake.opened.front();
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), product::makerEmail);
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Software Golvera"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
    }

    void formatsIgnoreTheSystemLocale()
    {
        // The tests run under LANG=C; an English default must not survive start-up either.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        formats::install();
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
        QCOMPARE(formats::dateText(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
        QCOMPARE(formats::dateFromText(QStringLiteral(" 29/02/2024 ")), QDate(2024, 2, 29));
        QVERIFY(!formats::dateFromText(QStringLiteral("31/02/2024")).isValid());
        QVERIFY(!formats::dateFromText(QStringLiteral("5/3/2024")).isValid());
        QVERIFY(formats::dateText(QDate()).isEmpty());
    }

    // The choosers open in the user's own folders, whatever folder the program was started from;
    // the attachment chooser then follows the folder last attached from.
    void choosersOpenInTheUsersFolders()
    {
        const QByteArray home = qgetenv("HOME");
        QTemporaryDir user;
        qputenv("HOME", QFile::encodeName(user.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(user.filePath(QStringLiteral(".config"))));
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            qunsetenv("XDG_CONFIG_HOME");
        });
        // No Pictures or Documents folder yet: home.
        QCOMPARE(chooserFolders::pictures(), user.path());
        QCOMPARE(chooserFolders::attachments(), user.path());

        QVERIFY(QDir(user.path()).mkpath(QStringLiteral("Pictures")));
        QVERIFY(QDir(user.path()).mkpath(QStringLiteral("Documents")));
        QCOMPARE(chooserFolders::pictures(), user.filePath(QStringLiteral("Pictures")));
        QCOMPARE(chooserFolders::attachments(), user.filePath(QStringLiteral("Documents")));

        QTemporaryDir elsewhere;
        chooserFolders::attachmentPicked(elsewhere.filePath(QStringLiteral("referto.pdf")));
        QCOMPARE(chooserFolders::attachments(), elsewhere.path());
        QCOMPARE(chooserFolders::pictures(), user.filePath(QStringLiteral("Pictures")));
        // A folder gone since: Documents again.
        QVERIFY(elsewhere.remove());
        QCOMPARE(chooserFolders::attachments(), user.filePath(QStringLiteral("Documents")));
    }

    void firstStartLeavesOnlyAnEmptyTeamArchive()
    {
        TempProgramFolder folder;
        startup::prepareProgramFolder();
        const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
        QCOMPARE(files, QStringList{QStringLiteral("Archivio_Squadre.pro")});
        QCOMPARE(QFileInfo(folder.file(QStringLiteral("Archivio_Squadre.pro"))).size(), 0);
    }

    void startInAFolderThatCannotBeWritten()
    {
        QTemporaryDir dir;
        // A program folder that is really a file: nothing can be created in it, and start-up
        // must go on all the same.
        const QString notAFolder = dir.filePath(QStringLiteral("file"));
        QFile(notAFolder).open(QIODevice::WriteOnly);
        programFolder::set(notAFolder);
        startup::prepareProgramFolder();
        QVERIFY(QFileInfo(notAFolder).isFile());
    }

    void startWithAFifoForTheTeamArchive()
    {
        // Opening it would wait for a writer that never comes: start-up leaves it alone and goes on.
        TempProgramFolder folder;
        const QString archive = folder.file(QStringLiteral("Archivio_Squadre.pro"));
        QCOMPARE(::mkfifo(QFile::encodeName(archive).constData(), 0666), 0);
        startup::prepareProgramFolder();
        QVERIFY(!QFileInfo(archive).isFile());
        QVERIFY(QFileInfo::exists(archive));
    }
};

QTEST_GUILESS_MAIN(TestShellAndFormats)
#include "tst_shellandformats.moc"
