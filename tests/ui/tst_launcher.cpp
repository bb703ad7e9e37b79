// The launcher and the teams-and-players menu: routing between work screens, the pictures that
// open dialogs, and the end of the program.
#include "app/Guida.h"
#include "app/Password.h"
#include "app/Product.h"
#include "app/Screens.h"
#include "common/PictureButton.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

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
