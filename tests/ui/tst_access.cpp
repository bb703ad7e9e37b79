// The login and change-password screens driven as a user would, through the real widgets.
#include "app/CambiaPassword.h"
#include "app/DataFolder.h"
#include "app/Password.h"
#include "app/PasswordStore.h"
#include "app/ProgramFolder.h"
#include "app/Screens.h"
#include "storage/FileFaults.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray shippedStore("[Accesso]\r\nValore=4C4D4CD7006524\r\n");

void writeStore(const TempProgramFolder& folder, const QByteArray& content)
{
    QFile file(folder.file(QStringLiteral("unins000.dll")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

class TestAccess : public QObject {
    Q_OBJECT

    template <typename T>
    static T* child(QWidget* screen, const char* name)
    {
        return widgets::find<T>(screen, QString::fromLatin1(name));
    }

private Q_SLOTS:
    // Start-up builds the login screen only; every other screen is made when first asked for,
    // once.
    void onlyTheLoginAtStartUp()
    {
        TempProgramFolder folder;
        Screens screens;
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{screens.login()});
        QVERIFY(screens.navigator().has(Screen::StandingsChooser));
        QWidget* chooser = screens.navigator().screen(Screen::StandingsChooser);
        QVERIFY(chooser);
        QCOMPARE(screens.navigator().screen(Screen::StandingsChooser), chooser);
        QCOMPARE(QApplication::topLevelWidgets().size(), 2);
        // A screen never registered is not there.
        Navigator empty;
        QVERIFY(!empty.has(Screen::TeamArchive));
        QCOMPARE(empty.screen(Screen::TeamArchive), nullptr);
    }

    void okFollowsTheField()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        TfrmPassword* login = screens.login();
        login->show();
        auto* ok = child<QPushButton>(login, "cmdOK");
        auto* field = child<QLineEdit>(login, "txtPassword");
        QVERIFY(!ok->isEnabled());
        QCOMPARE(field->echoMode(), QLineEdit::Password);
        QTest::keyClicks(field, QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(field, QStringLiteral("a"));
        QVERIFY(ok->isEnabled());
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(!ok->isEnabled());
        // Enter on a blank field does nothing at all.
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(login->isVisible());
    }

    void login_data()
    {
        QTest::addColumn<QByteArray>("store");  // empty: no store
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("message");   // empty: logged in
        const QString wrong = QStringLiteral("Attenzione: password errata.");
        const QString storeMissing = QStringLiteral(
            "Attenzione: nella cartella dei dati manca il file delle password:\r\n%1\r\n\r\n"
            "Copiare in quella cartella il file unins000.dll che accompagna i suoi archivi.");
        QTest::newRow("right, any case, blanks around") << shippedStore << "  GolVERA " << false << "";
        QTest::newRow("right, by Enter") << shippedStore << "golvera" << true << "";
        QTest::newRow("wrong") << shippedStore << "golvera1" << false << wrong;
        QTest::newRow("wrong, by Enter") << shippedStore << "calcio" << true << wrong;
        QTest::newRow("missing store") << QByteArray() << "golvera" << false << storeMissing;
        QTest::newRow("damaged store") << QByteArray("[Accesso]\r\nValore=4C4G\r\n") << "golvera" << false
                                       << QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                                         "lettura della password. Si consiglia di reinstallare il software.");
    }
    void login()
    {
        QFETCH(QByteArray, store);
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(QString, message);
        FakePlatform fake;
        TempProgramFolder folder;
        if (!store.isEmpty())
            writeStore(folder, store);
        Screens screens;
        TfrmPassword* login = screens.login();
        login->show();
        auto* field = child<QLineEdit>(login, "txtPassword");
        QTest::keyClicks(field, typed);
        if (byEnter)
            QTest::keyClick(field, Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>(login, "cmdOK"), Qt::LeftButton);

        QWidget* launcher = screens.navigator().screen(Screen::Launcher);
        if (message.isEmpty()) {
            QVERIFY(fake.messages.isEmpty());
            QVERIFY(launcher->isVisible());
            QVERIFY(!login->isVisible());
        } else {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.lastMessage().kind, platform::MessageKind::Plain);
            QCOMPARE(fake.lastMessage().text, message.arg(QDir::toNativeSeparators(folder.file(u"unins000.dll"_s))));
            QVERIFY(!launcher->isVisible());
            QVERIFY(login->isVisible());
            if (message.endsWith(QStringLiteral("errata.")))
                QVERIFY(field->text().isEmpty());
        }
    }

    // The first start in a folder of one's own: with no archive the first-access store is put
    // there and the first-access password opens; archives without their store keep it out, and
    // the login names the store that is missing.
    void firstStartInAFolder_data()
    {
        QTest::addColumn<QString>("archive");  // put in the folder first, with data; empty: none
        QTest::addColumn<bool>("emptyArchive");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("empty folder") << QString() << false << true;
        QTest::newRow("only an empty team archive") << u"Archivio_Squadre.pro"_s << true << true;
        QTest::newRow("a team archive") << u"Archivio_Squadre.pro"_s << false << false;
        QTest::newRow("a tournament") << u"Coppa.vai"_s << false << false;
    }
    void firstStartInAFolder()
    {
        QFETCH(QString, archive);
        QFETCH(bool, emptyArchive);
        QFETCH(bool, loggedIn);
        FakePlatform fake;
        QTemporaryDir shippedDir;
        const QString shipped = shippedDir.filePath(u"unins000.dll"_s);
        {
            QFile file(shipped);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(shippedStore);
        }
        TempProgramFolder folder;
        const QString data = folder.file(u"nuova/cartella"_s);
        if (!archive.isEmpty()) {
            QVERIFY(QDir().mkpath(data));
            QFile file(data + u'/' + archive);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (!emptyArchive)
                file.write(QByteArray(100, 'x'));
        }
        QVERIFY(dataFolder::prepare({data, dataFolder::Source::CommandLine}, shipped));
        programFolder::set(data);
        const QString store = data + u"/unins000.dll"_s;
        QCOMPARE(QFileInfo::exists(store), loggedIn);

        Screens screens;
        TfrmPassword* login = screens.login();
        login->show();
        QTest::keyClicks(child<QLineEdit>(login, "txtPassword"), u"golvera"_s);
        QTest::keyClick(child<QLineEdit>(login, "txtPassword"), Qt::Key_Return);
        QCOMPARE(screens.navigator().screen(Screen::Launcher)->isVisible(), loggedIn);
        if (loggedIn) {
            QVERIFY(fake.messages.isEmpty());
        } else {
            QCOMPARE(fake.messages.size(), 1);
            QVERIFY(fake.lastMessage().text.startsWith(u"Attenzione: nella cartella dei dati manca il file delle password:\r\n"_s
                                                       + QDir::toNativeSeparators(store) + u"\r\n"_s));
        }
    }

    void exitEndsTheProgram()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        screens.login()->show();
        QSignalSpy quit(&screens, &Screens::quitRequested);
        QTest::mouseClick(child<QPushButton>(screens.login(), "cmdEsci"), Qt::LeftButton);
        QCOMPARE(quit.size(), 1);
    }

    void change_data()
    {
        QTest::addColumn<QString>("oldTyped");
        QTest::addColumn<QString>("newTyped");
        QTest::addColumn<QString>("confirmTyped");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focusAfter");  // field with the focus after a refusal; empty: back to login
        QTest::newRow("changed") << "Golvera" << "Torneo26" << "Torneo26"
                                 << "Modifica della password completata con successo." << "";
        QTest::newRow("wrong old") << "altra" << "Torneo26" << "Torneo26" << "Attenzione: vecchia password errata."
                                   << "txtPasswordOld";
        QTest::newRow("confirmation differs in case")
            << "golvera" << "Torneo26" << "torneo26"
            << QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' necessario "
                              "reinserire entrambi i valori.")
            << "txtPasswordNew";
        QTest::newRow("too long") << "golvera" << QString(256, QLatin1Char('x')) << QString(256, QLatin1Char('x'))
                                  << "Attenzione: la nuova password non può superare i 255 caratteri." << "txtPasswordNew";
        QTest::newRow("outside Latin-1") << "golvera" << QString::fromUtf8("gol€") << QString::fromUtf8("gol€")
                                         << QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi. "
                                                           "Utilizzare lettere, cifre e simboli dell'alfabeto latino.")
                                         << "txtPasswordNew";
    }
    void change()
    {
        QFETCH(QString, oldTyped);
        QFETCH(QString, newTyped);
        QFETCH(QString, confirmTyped);
        QFETCH(QString, message);
        QFETCH(QString, focusAfter);
        FakePlatform fake;
        TempProgramFolder folder;
        writeStore(folder, shippedStore);
        Screens screens;
        TfrmPassword* login = screens.login();
        login->show();
        QTest::keyClicks(child<QLineEdit>(login, "txtPassword"), QStringLiteral("qualcosa"));
        QTest::mouseClick(child<QPushButton>(login, "btnCambiaPassword"), Qt::LeftButton);
        QWidget* change = screens.navigator().screen(Screen::ChangePassword);
        QVERIFY(change->isVisible());
        QVERIFY(!login->isVisible());

        auto* oldField = child<QLineEdit>(change, "txtPasswordOld");
        auto* newField = child<QLineEdit>(change, "txtPasswordNew");
        auto* confirmField = child<QLineEdit>(change, "txtConferma");
        auto* ok = child<QPushButton>(change, "cmdOK");
        QVERIFY(!ok->isEnabled());
        oldField->setText(oldTyped);
        newField->setText(newTyped);
        QVERIFY(!ok->isEnabled());
        confirmField->setText(confirmTyped);
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);

        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, platform::MessageKind::Plain);
        QCOMPARE(fake.lastMessage().text, message);
        const QString storePath = folder.file(QStringLiteral("unins000.dll"));
        if (focusAfter.isEmpty()) {
            // Back on the login screen with an empty field; only the new password logs in.
            QVERIFY(!change->isVisible());
            QVERIFY(login->isVisible());
            QVERIFY(child<QLineEdit>(login, "txtPassword")->text().isEmpty());
            QCOMPARE(passwordStore::readValue(storePath)->size(), 2 * newTyped.size());
            QCOMPARE(accessControl::checkLogin(storePath, QStringLiteral("golvera")), accessControl::LoginResult::Wrong);
            QCOMPARE(accessControl::checkLogin(storePath, newTyped.toLower()), accessControl::LoginResult::Accepted);
        } else {
            QVERIFY(change->isVisible());
            QCOMPARE(change->focusWidget()->objectName(), focusAfter);
            QVERIFY(child<QLineEdit>(change, focusAfter.toLatin1().constData())->text().isEmpty());
            if (focusAfter == QStringLiteral("txtPasswordNew"))
                QVERIFY(confirmField->text().isEmpty());
            QCOMPARE(accessControl::checkLogin(storePath, QStringLiteral("golvera")), accessControl::LoginResult::Accepted);
        }
    }

    void changeScreenEnterChainAndClose()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        writeStore(folder, shippedStore);
        Screens screens;
        screens.login()->show();
        QTest::mouseClick(child<QPushButton>(screens.login(), "btnCambiaPassword"), Qt::LeftButton);
        QWidget* change = screens.navigator().screen(Screen::ChangePassword);
        QApplication::setActiveWindow(change);
        auto* oldField = child<QLineEdit>(change, "txtPasswordOld");
        QTRY_COMPARE(QApplication::focusWidget(), oldField);
        const char* chain[] = {"txtPasswordNew", "txtConferma", "txtPasswordOld"};
        for (const char* next : chain) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
        // The yellow marker follows the focus.
        QVERIFY(change->findChild<QWidget*>(QStringLiteral("effPasswordOld"))->isVisible());
        QVERIFY(!change->findChild<QWidget*>(QStringLiteral("effConferma"))->isVisible());

        oldField->setText(QStringLiteral("x"));
        QTest::mouseClick(child<QPushButton>(change, "cmdEsci"), Qt::LeftButton);
        QVERIFY(!change->isVisible());
        QVERIFY(screens.login()->isVisible());
        QVERIFY(fake.messages.isEmpty());
        // Shown again, the change screen starts empty.
        QTest::mouseClick(child<QPushButton>(screens.login(), "btnCambiaPassword"), Qt::LeftButton);
        QVERIFY(oldField->text().isEmpty());
    }

    // Every caption of the change screen is shown whole, beside its field.
    void changeScreenCaptionsAreWhole()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        Screens screens;
        QWidget* change = screens.navigator().screen(Screen::ChangePassword);
        const QList<std::pair<QString, const char*>> rows = {{QStringLiteral("Vecchia password:"), "txtPasswordOld"},
                                                             {QStringLiteral("Nuova password:"), "txtPasswordNew"},
                                                             {QStringLiteral("Conferma nuova password:"), "txtConferma"}};
        for (const auto& [caption, field] : rows) {
            QLabel* label = nullptr;
            for (QLabel* candidate : change->findChildren<QLabel*>())
                label = candidate->text() == caption ? candidate : label;
            QVERIFY2(label, qPrintable(caption));
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(caption));
            QVERIFY2(label->geometry().right() < child<QLineEdit>(change, field)->geometry().left(), qPrintable(caption));
        }
    }

    // The change is reported as failed, never as done, and the old store stays as it was.
    void changeFails_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<int>("fault");  // a fileFaults::Fault on the program folder, or -1
        QTest::newRow("store that cannot be read") << QByteArray("[Accesso]\r\nValore=XYZ1\r\n") << -1;
        QTest::newRow("full disk") << shippedStore << int(fileFaults::Fault::WriteFails);
        QTest::newRow("flush to the disk fails") << shippedStore << int(fileFaults::Fault::FlushFails);
        QTest::newRow("folder refuses the new store") << shippedStore << int(fileFaults::Fault::CreateRefused);
    }
    void changeFails()
    {
        QFETCH(QByteArray, store);
        QFETCH(int, fault);
        FakePlatform fake;
        TempProgramFolder folder;
        writeStore(folder, store);
        std::optional<fileFaults::Injected> injected;
        if (fault >= 0)
            injected.emplace(fileFaults::Plan{fileFaults::Fault(fault), 0, folder.path()});
        Screens screens;
        screens.login()->show();
        QTest::mouseClick(child<QPushButton>(screens.login(), "btnCambiaPassword"), Qt::LeftButton);
        QWidget* change = screens.navigator().screen(Screen::ChangePassword);
        child<QLineEdit>(change, "txtPasswordOld")->setText(QStringLiteral("golvera"));
        child<QLineEdit>(change, "txtPasswordNew")->setText(QStringLiteral("nuova"));
        child<QLineEdit>(change, "txtConferma")->setText(QStringLiteral("nuova"));
        QTest::mouseClick(child<QPushButton>(change, "cmdOK"), Qt::LeftButton);
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().text,
                 QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                                "Si consiglia di reinstallare il software."));
        if (injected)
            QVERIFY(injected->strikes() > 0);
        QFile file(folder.file(QStringLiteral("unins000.dll")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), store);
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
