// The launcher and the teams-and-players menu: routing between work screens, the pictures that
// open dialogs, the deadline line, and the end of the program.
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Password.h"
#include "app/ProgramFolder.h"
#include "app/Product.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "common/PictureButton.h"
#include "players/Scadute.h"
#include "storage/PlayerRecord.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QThreadPool>
#include <QtTest>

namespace {

PlayerRecord player(const QString& name, const QString& card, const QString& certificate)
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Squadra = QStringLiteral("Aquile");
    record.Tessera = QStringLiteral("T-") + name;
    record.ScadTessera = card;
    record.ScadCertificato = certificate;
    return record;
}

// Today is 9 December 2026 (the fake clock): the launcher looks 30 days ahead, to 8 January.
const QList<PlayerRecord> deadlinePlayers = {
    player(QStringLiteral("Alfa"), QStringLiteral("01/12/2026"), QStringLiteral("20/12/2026")),
    player(QStringLiteral("Beta"), QStringLiteral("05/01/2027"), QStringLiteral("01/06/2027")),
    player(QStringLiteral("Gamma"), QStringLiteral("31/02/2026"), QStringLiteral("01/01/2026")),
    player(QStringLiteral("Delta"), QStringLiteral("01/03/2027"), QStringLiteral("09/01/2027")),
    player(QStringLiteral("Epsilon"), QStringLiteral("01/03/2027"), QStringLiteral("08/01/2027")),
};

}  // namespace

Q_DECLARE_METATYPE(PlayerRecord)

class TestLauncher : public QObject {
    Q_OBJECT

    static PictureButton* button(QWidget* screen, const QString& name)
    {
        return widgets::find<PictureButton>(screen, name);
    }

    // Logs in the way the login screen does: launcher shown, login hidden.
    static QWidget* showLauncher(Screens& screens)
    {
        screens.login()->show();
        screens.navigator().go(Screen::Launcher, screens.login());
        return screens.navigator().screen(Screen::Launcher);
    }

private Q_SLOTS:
    void launcherLayout()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget* launcher = showLauncher(screens);
        QVERIFY(launcher->isVisible());
        QCOMPARE(launcher->windowTitle(), QStringLiteral(" Golvera"));
        QCOMPARE(launcher->findChild<QWidget*>(QStringLiteral("panContent"))->size(), QSize(995, 692));
        // Every clickable picture shows the hand and lies whole inside the panel.
        const QRect panel(QPoint(0, 0), QSize(995, 692));
        const QStringList names = {
            QStringLiteral("btnApp01"), QStringLiteral("btnApp02"), QStringLiteral("btnApp03"), QStringLiteral("btnApp04"),
            QStringLiteral("icoSito"),  QStringLiteral("imgApp01"), QStringLiteral("imgApp02"), QStringLiteral("imgApp03"),
            QStringLiteral("imgApp04"), QStringLiteral("imgCopyright"), QStringLiteral("imgEsci"), QStringLiteral("imgGuida"),
            QStringLiteral("imgInfo")};
        QCOMPARE(widgets::names<PictureButton>(launcher), names);
        for (PictureButton* b : launcher->findChildren<PictureButton*>()) {
            QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY2(panel.contains(b->geometry()), qPrintable(b->objectName()));
        }
        // The tiles are two by two: 01 top left, 02 top right, 03 bottom left, 04 bottom right.
        const QPoint t1 = button(launcher, QStringLiteral("imgApp01"))->pos();
        const QPoint t2 = button(launcher, QStringLiteral("imgApp02"))->pos();
        const QPoint t3 = button(launcher, QStringLiteral("imgApp03"))->pos();
        const QPoint t4 = button(launcher, QStringLiteral("imgApp04"))->pos();
        QVERIFY(t1.y() == t2.y() && t3.y() == t4.y() && t1.y() < t3.y());
        QVERIFY(t1.x() == t3.x() && t2.x() == t4.x() && t1.x() < t2.x());
    }

    // A failed automatic backup is not silent: the launcher's status line says so, with why.
    void failedBackupIsToldInTheStatusLine()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        QVERIFY(archiveFiles::writeRecords(folder.file(QStringLiteral("Archivio_Giocatori.pro")), deadlinePlayers));
        {
            // A file where the backups' folder should be.
            QFile inTheWay(folder.file(QStringLiteral("Backup")));
            QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        }
        Screens screens;
        QWidget* launcher = showLauncher(screens);
        auto* status = widgets::find<QLabel>(launcher, QStringLiteral("lblStato"));
        QVERIFY(!status->isVisible());
        startup::startDailyBackup(QDate(2026, 12, 9));
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        QTRY_VERIFY(status->isVisible());
        QVERIFY2(status->text().startsWith(QStringLiteral("Attenzione: il backup automatico degli archivi non \u00E8 riuscito (")),
                 qPrintable(status->text()));
        QCOMPARE(startup::backupFailure(), status->text());
        QVERIFY(fake.messages.isEmpty());
    }

    void areasWithoutTheirScreensAreDisabled()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget* launcher = showLauncher(screens);
        const struct {
            const char* number;
            Screen screen;
        } areas[] = {{"01", Screen::TeamsMenu},
                     {"02", Screen::CreateTournament},
                     {"03", Screen::OpenTournament},
                     {"04", Screen::StandingsChooser}};
        for (const auto& area : areas) {
            const bool available = screens.navigator().has(area.screen);
            QCOMPARE(button(launcher, QStringLiteral("imgApp") + QLatin1String(area.number))->isEnabled(), available);
            QCOMPARE(button(launcher, QStringLiteral("btnApp") + QLatin1String(area.number))->isEnabled(), available);
        }
        QVERIFY(screens.navigator().has(Screen::TeamsMenu));
    }

    void menuRoutes_data()
    {
        QTest::addColumn<QString>("opener");      // launcher picture that opens the menu
        QTest::addColumn<QString>("closer");      // how the menu is left: a button name, or "window"
        QTest::addColumn<int>("expected");        // Screen shown afterwards
        QTest::newRow("tile, exit picture") << "imgApp01" << "imgEsci" << int(Screen::Launcher);
        QTest::newRow("caption, window close") << "btnApp01" << "window" << int(Screen::Launcher);
        QTest::newRow("team archive") << "imgApp01" << "btnSquadre" << int(Screen::TeamArchive);
        QTest::newRow("player archive") << "btnApp01" << "btnGiocatori" << int(Screen::PlayerArchive);
    }
    void menuRoutes()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closer);
        QFETCH(int, expected);
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        // Stand-ins for the archive editors, so the menu's buttons have somewhere to go.
        QWidget teamArchive;
        QWidget playerArchive;
        screens.navigator().add(Screen::TeamArchive, &teamArchive);
        screens.navigator().add(Screen::PlayerArchive, &playerArchive);
        QWidget* launcher = showLauncher(screens);
        QWidget* menu = screens.navigator().screen(Screen::TeamsMenu);

        QTest::mouseClick(button(launcher, opener), Qt::LeftButton);
        QVERIFY(menu->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(menu->findChild<QLabel*>(QStringLiteral("lblIstruzioni"))->text(),
                 QStringLiteral("Premere il pulsante relativo al tipo di archivio da gestire."));

        if (closer == QStringLiteral("window"))
            menu->close();
        else
            QTest::mouseClick(button(menu, closer), Qt::LeftButton);

        QWidget* shown = screens.navigator().screen(Screen(expected));
        QVERIFY(shown->isVisible());
        QVERIFY(!menu->isVisible());
        for (Screen other : {Screen::Launcher, Screen::TeamArchive, Screen::PlayerArchive}) {
            if (other != Screen(expected))
                QVERIFY(!screens.navigator().screen(other)->isVisible());
        }
    }

    void menuForgetsTheRouteWhenShownAgain()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget teamArchive;
        screens.navigator().add(Screen::TeamArchive, &teamArchive);
        QWidget* launcher = showLauncher(screens);
        QWidget* menu = screens.navigator().screen(Screen::TeamsMenu);
        QTest::mouseClick(button(launcher, QStringLiteral("imgApp01")), Qt::LeftButton);
        QTest::mouseClick(button(menu, QStringLiteral("btnSquadre")), Qt::LeftButton);
        QVERIFY(teamArchive.isVisible());
        // Back through the launcher: the menu starts over with the way back to the launcher.
        screens.navigator().go(Screen::Launcher, &teamArchive);
        QTest::mouseClick(button(launcher, QStringLiteral("imgApp01")), Qt::LeftButton);
        menu->close();
        QVERIFY(launcher->isVisible());
        QVERIFY(!teamArchive.isVisible());
    }

    void picturesOpenTheirDialogs_data()
    {
        QTest::addColumn<QString>("screen");   // "launcher" or "menu"
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title");    // help title, when the dialog is the help
        QTest::newRow("launcher help") << "launcher" << "imgGuida" << "TfrmGuida" << "Uno sguardo a Golvera";
        QTest::newRow("menu help") << "menu" << "imgGuida" << "TfrmGuida" << "Gestione squadre e giocatori";
        QTest::newRow("information") << "launcher" << "imgInfo" << "TfrmInfo" << "";
        QTest::newRow("splash") << "launcher" << "imgCopyright" << "TfrmSplash" << "";
    }
    void picturesOpenTheirDialogs()
    {
        QFETCH(QString, screen);
        QFETCH(QString, picture);
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget* launcher = showLauncher(screens);
        QWidget* host = launcher;
        if (screen == QStringLiteral("menu")) {
            QTest::mouseClick(button(launcher, QStringLiteral("imgApp01")), Qt::LeftButton);
            host = screens.navigator().screen(Screen::TeamsMenu);
        }
        QString shownTitle;
        QString shownText;
        bool textReadOnly = false;
        fake.onDialog = [&](QObject* opened) {
            if (auto* guide = qobject_cast<TfrmGuida*>(opened)) {
                shownTitle = guide->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
                auto* text = guide->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
                shownText = text->toPlainText();
                textReadOnly = text->isReadOnly();
            }
        };
        QTest::mouseClick(button(host, picture), Qt::LeftButton);
        QCOMPARE(fake.dialogsRun, QStringList{dialog});
        QVERIFY(host->isVisible());
        if (!title.isEmpty()) {
            QCOMPARE(shownTitle, title);
            QVERIFY(textReadOnly);
            QVERIFY(shownText.size() > 400);
            // The menu's text is the launcher's paragraphs on the two archives.
            QVERIFY(shownText.contains(QStringLiteral("Squadre e Giocatori")));
        }
    }

    // The deadlines at a glance: each kind shows only when it has any, the line not at all when
    // neither has; without a player archive there is nothing to count, and none is made.
    void deadlineLine_data()
    {
        QTest::addColumn<QList<PlayerRecord>>("players");  // empty: no archive
        QTest::addColumn<QString>("cards");               // empty: not shown
        QTest::addColumn<QString>("certificates");
        QTest::newRow("both") << deadlinePlayers << QStringLiteral("Tessere: 1 scaduta, 1 in scadenza")
                              << QStringLiteral("Certificati medici: 1 scaduto, 2 in scadenza");
        QTest::newRow("certificates only")
            << QList<PlayerRecord>{player(QStringLiteral("Alfa"), QStringLiteral("01/03/2027"), QStringLiteral("01/01/2025"))}
            << QString() << QStringLiteral("Certificati medici: 1 scaduto");
        QTest::newRow("nothing due")
            << QList<PlayerRecord>{player(QStringLiteral("Alfa"), QStringLiteral("01/03/2027"), QStringLiteral("01/03/2027"))}
            << QString() << QString();
        QTest::newRow("no player archive") << QList<PlayerRecord>{} << QString() << QString();
    }
    void deadlineLine()
    {
        QFETCH(QList<PlayerRecord>, players);
        QFETCH(QString, cards);
        QFETCH(QString, certificates);
        FakePlatform fake;
        TempProgramFolder folder;
        const QString archive = folder.file(programFolder::playerArchiveName);
        if (!players.isEmpty())
            QVERIFY(archiveFiles::writeRecords(archive, players));
        Screens screens;
        auto* launcher = qobject_cast<TfrmAvvio*>(showLauncher(screens));
        QTRY_VERIFY(!launcher->isCounting());
        const auto shown = [launcher](const char* name) {
            auto* link = widgets::find<QPushButton>(launcher, QLatin1String(name));
            return link->isVisibleTo(launcher) ? link->text() : QString();
        };
        QCOMPARE(shown("btnScadTessere"), cards);
        QCOMPARE(shown("btnScadCertificati"), certificates);
        auto* line = widgets::find<QWidget>(launcher, QStringLiteral("panScadenze"));
        QCOMPARE(line->isVisibleTo(launcher), !(cards + certificates).isEmpty());
        if (line->isVisibleTo(launcher)) {
            QCOMPARE(widgets::find<QLabel>(line, QStringLiteral("lblScadenze"))->text(),
                     QStringLiteral("Scadenze entro 30 giorni:"));
            // Between the title and the tiles, whole inside the panel.
            QVERIFY(QRect(0, 0, 995, 692).contains(line->geometry()));
            QVERIFY(line->geometry().bottom() <= button(launcher, QStringLiteral("imgApp01"))->y());
        }
        QCOMPARE(QFile::exists(archive), !players.isEmpty());
    }

    // A click on either opens its list in the player archive, looking 30 days ahead; the player
    // chosen there comes up in the archive.
    void deadlineLinkOpensItsList_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("rows");  // the names listed
        QTest::newRow("cards") << "btnScadTessere" << "TfrmTessereScadute"
                               << QStringList{QStringLiteral("Alfa"), QStringLiteral("Beta")};
        QTest::newRow("certificates") << "btnScadCertificati" << "TfrmCertificatiScaduti"
                                      << QStringList{QStringLiteral("Alfa"), QStringLiteral("Epsilon"), QStringLiteral("Gamma")};
    }
    void deadlineLinkOpensItsList()
    {
        QFETCH(QString, link);
        QFETCH(QString, list);
        QFETCH(QStringList, rows);
        FakePlatform fake;
        TempProgramFolder folder;
        QVERIFY(archiveFiles::writeRecords(folder.file(programFolder::playerArchiveName), deadlinePlayers));
        Screens screens;
        auto* launcher = qobject_cast<TfrmAvvio*>(showLauncher(screens));
        QTRY_VERIFY(!launcher->isCounting());
        int horizon = -1;
        QStringList listed;
        fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<ExpiryListScreen*>(opened);
            QVERIFY(screen);
            screen->show();
            horizon = screen->horizon();
            auto* table = widgets::find<QTableView>(screen, QStringLiteral("lstRecords"));
            for (int row = 0; row < table->model()->rowCount(); ++row)
                listed << table->model()->index(row, 1).data().toString();
            // The last one listed, opened with Enter.
            table->setFocus();
            table->selectRow(table->model()->rowCount() - 1);
            QTest::keyClick(table, Qt::Key_Return);
        };
        QTest::mouseClick(widgets::find<QPushButton>(launcher, link), Qt::LeftButton);
        QCOMPARE(fake.dialogsRun, QStringList{list});
        QCOMPARE(horizon, 30);
        QCOMPARE(listed, rows);
        QWidget* players = screens.navigator().screen(Screen::PlayerArchive);
        QVERIFY(players->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(widgets::find<QLineEdit>(players, QStringLiteral("txtGiocatore"))->text(), rows.last());
    }

    void webStripOpensTheMakersPage()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget* launcher = showLauncher(screens);
        QTest::mouseClick(button(launcher, QStringLiteral("icoSito")), Qt::LeftButton);
        QCOMPARE(fake.opened, QList<QUrl>{QUrl(product::makerWebAddress)});
    }

    void closingTheLauncherEndsTheProgram_data()
    {
        QTest::addColumn<bool>("byExitPicture");
        QTest::newRow("exit picture") << true;
        QTest::newRow("window close") << false;
    }
    void closingTheLauncherEndsTheProgram()
    {
        QFETCH(bool, byExitPicture);
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget* launcher = showLauncher(screens);
        QSignalSpy quit(&screens, &Screens::quitRequested);
        if (byExitPicture)
            QTest::mouseClick(button(launcher, QStringLiteral("imgEsci")), Qt::LeftButton);
        else
            launcher->close();
        QCOMPARE(quit.size(), 1);
    }
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
