// The two catalogue screens reached from the launcher: creating a tournament by name, and the
// list of tournaments with its count, opening and deleting.
#include "app/Password.h"
#include "app/Screens.h"
#include "common/PictureButton.h"
#include "tournament/Torneo.h"
#include "FakePlatform.h"
#include "Widgets.h"
#include "tst_tournament_folders.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <optional>

using platform::MessageKind;

namespace {

const QString nameMissing = QStringLiteral("Attenzione: per creare il nuovo torneo \u00E8 necessario indicare il suo nome.");
const QString nameTaken = QStringLiteral(
    "Attenzione: il nome del torneo indicato \u00E8 gi\u00E0 stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera aprire un torneo gi\u00E0 creato, premere il pulsante "
    "Apri torneo esistente.");
const QString created = QStringLiteral(
    "Il file di archivio relativo al nuovo torneo \u00E8 stato creato con successo.\r\n\r\n"
    "E' ora possibile visualizzarlo nell'elenco dei tornei esistenti.");
const QString badCharacters = QStringLiteral(
    "Attenzione: il nome del torneo contiene caratteri non ammessi.\r\n\r\n"
    "Non possono essere utilizzati i caratteri \" * / : < > ? \\ \u00B0 \u00C7 \u00D1 \u00E7 \u00F1 "
    "n\u00E9 i caratteri di controllo (per esempio la tabulazione).");
const QString onlyDots = QStringLiteral("Attenzione: il nome del torneo non pu\u00F2 essere formato soltanto da punti.");
const QString createFailed = QStringLiteral(
    "Attenzione: non \u00E8 stato possibile creare il file di archivio del nuovo torneo.\r\n\r\n"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma "
    "oppure provare con un nome pi\u00F9 breve.");
const QString emptyList = QStringLiteral("Attenzione: l'elenco non contiene nessun torneo.");
const QString openNoSelection =
    QStringLiteral("Attenzione: selezionare il torneo dall'elenco prima di premere il pulsante Apri archivio.");
const QString deleteNoSelection = QStringLiteral(
    "Attenzione: selezionare dall'elenco il torneo da eliminare prima di premere il pulsante del cestino.");
const QString deleteQuestion = QStringLiteral(
    "Si sta per eliminare il torneo selezionato. Si ricorda che il file eliminato non potr\u00E0 essere "
    "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?");
const QString deleted = QStringLiteral("Il torneo \u00E8 stato eliminato con successo.");
const QString deleteFailed = QStringLiteral(
    "Attenzione: non \u00E8 stato possibile eliminare il torneo selezionato, che resta nell'elenco.\r\n\r\n"
    "Accertarsi che il file non sia in uso e di possedere i privilegi di scrittura nella cartella di "
    "installazione del programma.");

// Types any text, accented letters included, one key press per character.
void typeText(QWidget* field, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

// The program's screens on a temporary program folder, logged in and on the launcher.
struct Program {
    FakePlatform fake;
    TempProgramFolder folder;
    Screens screens;

    Program()
    {
        screens.login()->show();
        screens.navigator().go(Screen::Launcher, screens.login());
    }
    QWidget* screen(Screen id) { return screens.navigator().screen(id); }
    QWidget* launcher() { return screen(Screen::Launcher); }

    void click(Screen on, const QString& button)
    {
        QTest::mouseClick(widgets::find<PictureButton>(screen(on), button), Qt::LeftButton);
    }

    // The create screen, reached the way the user reaches it.
    QLineEdit* createScreen()
    {
        click(Screen::Launcher, QStringLiteral("btnApp02"));
        QApplication::setActiveWindow(screen(Screen::CreateTournament));
        return screen(Screen::CreateTournament)->findChild<QLineEdit*>(QStringLiteral("txtFile"));
    }

    QListWidget* openScreen()
    {
        click(Screen::Launcher, QStringLiteral("imgApp03"));
        return list();
    }
    QListWidget* list() { return screen(Screen::OpenTournament)->findChild<QListWidget*>(QStringLiteral("lstFiles")); }
    QString countLine() { return screen(Screen::OpenTournament)->findChild<QLabel*>(QStringLiteral("lblCreati"))->text(); }
    QStringList rows()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    void select(const QString& row) { list()->findItems(row, Qt::MatchExactly).front()->setSelected(true); }

    void makeFile(const QString& name, const QByteArray& content = {})
    {
        QFile file(folder.file(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // Everything in the program folder, and whether a tournament appeared next to it.
    QStringList everything()
    {
        QStringList names = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const char* outside : {"../Fuori.vai", "../Fuori"})
            if (QFileInfo::exists(folder.file(QLatin1String(outside))))
                names << QLatin1String(outside);
        return names;
    }
};

}  // namespace

Q_DECLARE_METATYPE(Screen)

class TestCatalogueScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Opening a tournament and choosing its standings show one and the same list: in the same
    // place, with the same look, and the same count line under it.
    void bothTournamentListsAreAlike()
    {
        Program p;
        p.makeFile(QStringLiteral("Coppa.vai"));
        p.makeFile(QStringLiteral("Serie A.vai"));
        struct Look {
            QRect list;
            QRect count;
            QString listStyle;
            QString countStyle;
            QString countText;
            QString firstItemFont;
        };
        const auto look = [&p](Screen id) {
            QWidget* screen = p.screen(id);
            auto* panel = screen->findChild<QWidget*>(QStringLiteral("panContent"));
            auto* list = screen->findChild<QListWidget*>(QStringLiteral("lstFiles"));
            auto* count = screen->findChild<QLabel*>(QStringLiteral("lblCreati"));
            return Look{QRect(list->mapTo(panel, QPoint()), list->size()), QRect(count->mapTo(panel, QPoint()), count->size()),
                        list->styleSheet(), count->styleSheet(), count->text(), list->item(0)->font().toString()};
        };
        p.click(Screen::Launcher, QStringLiteral("imgApp03"));
        const Look open = look(Screen::OpenTournament);
        p.screen(Screen::OpenTournament)->close();
        p.click(Screen::Launcher, QStringLiteral("imgApp04"));
        const Look standings = look(Screen::StandingsChooser);

        QCOMPARE(open.countText, QStringLiteral("Sono stati creati 2 tornei."));
        QCOMPARE(standings.countText, open.countText);
        QCOMPARE(standings.list, open.list);
        QCOMPARE(standings.count, open.count);
        QCOMPARE(standings.listStyle, open.listStyle);
        QCOMPARE(standings.countStyle, open.countStyle);
        QCOMPARE(standings.firstItemFont, open.firstItemFont);
    }

    void launcherOpensBothScreens()
    {
        Program p;
        QVERIFY(p.launcher()->findChild<PictureButton*>(QStringLiteral("imgApp02"))->isEnabled());
        QVERIFY(p.launcher()->findChild<PictureButton*>(QStringLiteral("imgApp03"))->isEnabled());
        QLineEdit* name = p.createScreen();
        QWidget* create = p.screen(Screen::CreateTournament);
        QVERIFY(create->isVisible() && !p.launcher()->isVisible());
        QCOMPARE(create->windowTitle(), QStringLiteral(" Golvera - Creazione nuovo torneo"));
        QCOMPARE(name->maxLength(), 250);
        QCOMPARE(name->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(name->font().pointSize(), 16);
        QVERIFY(name->hasFocus());
        p.click(Screen::CreateTournament, QStringLiteral("btnAnnulla"));
        QVERIFY(p.launcher()->isVisible() && !create->isVisible());

        p.openScreen();
        QWidget* open = p.screen(Screen::OpenTournament);
        QVERIFY(open->isVisible());
        QCOMPARE(open->windowTitle(), QStringLiteral(" Golvera - Apertura torneo"));
        QCOMPARE(p.list()->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(p.list()->font().pointSize(), 14);
        open->close();
        QVERIFY(p.launcher()->isVisible() && !open->isVisible());
    }

    void createTournament()
    {
        Program p;
        QLineEdit* name = p.createScreen();
        QTest::keyClicks(name, QStringLiteral("  Coppa Estate 2026 "));
        p.click(Screen::CreateTournament, QStringLiteral("btnApplica"));
        QCOMPARE(p.fake.messages.size(), 1);
        QCOMPARE(p.fake.lastMessage().kind, MessageKind::Information);
        QCOMPARE(p.fake.lastMessage().text, created);
        const QFileInfo file(p.folder.file(QStringLiteral("Coppa Estate 2026.vai")));
        QVERIFY(file.isFile());
        QCOMPARE(file.size(), 0);
        QVERIFY(p.launcher()->isVisible() && !p.screen(Screen::CreateTournament)->isVisible());

        // The screen starts empty when it comes back.
        name = p.createScreen();
        QCOMPARE(name->text(), QString());
    }

    void nameKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("colon and question mark") << "Coppa: chi vince?" << "Coppa chi vince";
        QTest::newRow("every refused character") << "a\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1b" << "ab";
        QTest::newRow("other characters pass") << "Torneo dell'Amicizia - \u00E0 \u00E8 | 1.0" << "Torneo dell'Amicizia - \u00E0 \u00E8 | 1.0";
    }

    void nameKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Program p;
        QLineEdit* name = p.createScreen();
        typeText(name, typed);
        QCOMPARE(name->text(), shown);
        // Enter does nothing in this field.
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(p.fake.messages.isEmpty());
        QVERIFY(p.screen(Screen::CreateTournament)->isVisible());
    }

    void nameRefused_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << nameMissing;
        QTest::newRow("blanks only") << "    " << nameMissing;
        QTest::newRow("colon") << "Coppa: finale" << badCharacters;
        QTest::newRow("way out of the folder") << "../Fuori" << badCharacters;
        QTest::newRow("backslash way out") << "..\\Fuori" << badCharacters;
        QTest::newRow("tab inside") << "Coppa\tEstate" << badCharacters;
        QTest::newRow("one dot") << "." << onlyDots;
        QTest::newRow("two dots") << " .. " << onlyDots;
        QTest::newRow("already used") << "Esistente" << nameTaken;
    }

    void nameRefused()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, message);
        Program p;
        p.makeFile(QStringLiteral("Esistente.vai"), "entries");
        const QStringList before = p.everything();
        QLineEdit* name = p.createScreen();
        name->setText(pasted);
        p.click(Screen::CreateTournament, QStringLiteral("btnApplica"));

        QCOMPARE(p.fake.messages.size(), 1);
        QCOMPARE(p.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(p.fake.lastMessage().text, message);
        QCOMPARE(p.everything(), before);
        QFile existing(p.folder.file(QStringLiteral("Esistente.vai")));
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("entries"));
        // The screen stays with the name.
        QVERIFY(p.screen(Screen::CreateTournament)->isVisible());
        QCOMPARE(name->text(), pasted);
        if (message != nameTaken)
            QVERIFY(name->hasFocus());
    }

    void createFailure_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("lockFolder");
        // 200 accented letters take 400 bytes: no file system here takes such a file name.
        QTest::newRow("name the file system refuses") << QString(200, QChar(0x00E8)) << false;
        QTest::newRow("read-only program folder") << "Coppa" << true;
    }

    void createFailure()
    {
        QFETCH(QString, name);
        QFETCH(bool, lockFolder);
        Program p;
        std::optional<LockedFolder> lock;
        if (lockFolder) {
            lock.emplace(p.folder.path());
        }
        const QStringList before = p.everything();
        QLineEdit* field = p.createScreen();
        field->setText(name);
        p.click(Screen::CreateTournament, QStringLiteral("btnApplica"));
        QCOMPARE(p.fake.messages.size(), 1);
        QCOMPARE(p.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(p.fake.lastMessage().text, createFailed);
        QCOMPARE(p.everything(), before);
        QVERIFY(p.screen(Screen::CreateTournament)->isVisible());
    }

    void listAndCount()
    {
        Program p;
        p.openScreen();
        QCOMPARE(p.rows(), QStringList());
        QCOMPARE(p.countLine(), QStringLiteral("Sono stati creati 0 tornei."));
        p.screen(Screen::OpenTournament)->close();

        for (const char* name : {"beta.vai", "Alfa.vai", "note.txt"})
            p.makeFile(QString::fromLatin1(name));
        QVERIFY(QDir(p.folder.path()).mkpath(QStringLiteral("sotto")));
        p.makeFile(QStringLiteral("sotto/dentro.vai"));
        p.openScreen();
        QCOMPARE(p.rows(), (QStringList{QStringLiteral("Alfa.vai"), QStringLiteral("beta.vai")}));
        QCOMPARE(p.countLine(), QStringLiteral("Sono stati creati 2 tornei."));
        QVERIFY(p.list()->selectedItems().isEmpty());

        // Shown again, the list is read again.
        p.screen(Screen::OpenTournament)->close();
        QVERIFY(QFile::remove(p.folder.file(QStringLiteral("beta.vai"))));
        p.openScreen();
        QCOMPARE(p.rows(), QStringList{QStringLiteral("Alfa.vai")});
        QCOMPARE(p.countLine(), QStringLiteral("Sono stati creati 1 tornei."));
    }

    void openTournament_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("Apri archivio") << false;
        QTest::newRow("double-click") << true;
    }

    void openTournament()
    {
        QFETCH(bool, doubleClick);
        Program p;
        p.makeFile(QStringLiteral("Coppa Estate.vai"));
        p.makeFile(QStringLiteral("Altro.vai"));
        p.openScreen();
        if (doubleClick) {
            QListWidgetItem* item = p.list()->findItems(QStringLiteral("Coppa Estate.vai"), Qt::MatchExactly).front();
            const QPoint at = p.list()->visualItemRect(item).center();
            QTest::mouseClick(p.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(p.list()->viewport(), Qt::LeftButton, {}, at);
        } else {
            p.select(QStringLiteral("Coppa Estate.vai"));
            p.click(Screen::OpenTournament, QStringLiteral("btnApri"));
        }

        auto* editor = qobject_cast<TfrmTorneo*>(p.screen(Screen::TournamentEditor));
        QVERIFY(editor->isVisible());
        QVERIFY(!p.screen(Screen::OpenTournament)->isVisible());
        QVERIFY(!p.launcher()->isVisible());
        QCOMPARE(editor->findChild<QLabel*>(QStringLiteral("lblNome"))->text(), QStringLiteral("Coppa Estate"));
        QCOMPARE(editor->tournamentPath(), p.folder.file(QStringLiteral("Coppa Estate.vai")));
        QCOMPARE(editor->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QString());
        QVERIFY(p.fake.messages.isEmpty());

        // Closing the editor goes back to the launcher, and the open screen starts over.
        editor->close();
        QVERIFY(p.launcher()->isVisible());
        p.openScreen();
        p.screen(Screen::OpenTournament)->close();
        QVERIFY(p.launcher()->isVisible());
        QVERIFY(!editor->isVisible());
    }

    // The keyboard in both tournament lists: the first Up or Down selects a tournament (the only
    // one too), later ones move, and Enter opens the selected one: the editor from the open screen,
    // the merit standings from the chooser. Enter with nothing selected does nothing.
    void tournamentListKeys_data()
    {
        QTest::addColumn<Screen>("on");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("selected");  // after the keys; empty: none
        QTest::addColumn<bool>("opened");
        const QStringList one = {QStringLiteral("Coppa.vai")};
        const QStringList two = {QStringLiteral("Alfa.vai"), QStringLiteral("Beta.vai")};
        using K = QList<int>;
        for (const Screen on : {Screen::OpenTournament, Screen::StandingsChooser}) {
            const char* where = on == Screen::OpenTournament ? "open" : "standings";
            QTest::addRow("%s: Down selects the only one", where) << on << one << K{Qt::Key_Down} << one.front() << false;
            QTest::addRow("%s: Up selects the first", where) << on << two << K{Qt::Key_Up} << two.front() << false;
            QTest::addRow("%s: a second Down moves on", where)
                << on << two << K{Qt::Key_Down, Qt::Key_Down} << two.back() << false;
            QTest::addRow("%s: Enter opens the selected one", where)
                << on << one << K{Qt::Key_Down, Qt::Key_Return} << one.front() << true;
            QTest::addRow("%s: Enter alone does nothing", where) << on << one << K{Qt::Key_Return} << QString() << false;
        }
    }

    void tournamentListKeys()
    {
        QFETCH(Screen, on);
        QFETCH(QStringList, files);
        QFETCH(QList<int>, keys);
        QFETCH(QString, selected);
        QFETCH(bool, opened);
        Program p;
        for (const QString& file : files)
            p.makeFile(file);
        p.click(Screen::Launcher, on == Screen::OpenTournament ? QStringLiteral("imgApp03") : QStringLiteral("imgApp04"));
        auto* list = p.screen(on)->findChild<QListWidget*>(QStringLiteral("lstFiles"));
        p.fake.onDialog = [](QObject* dialog) { qobject_cast<QWidget*>(dialog)->close(); };
        const auto selectedName = [list] {
            return list->selectedItems().isEmpty() ? QString() : list->selectedItems().front()->text();
        };
        // What is selected when Enter is pressed, or after the last key.
        QString chosen;
        list->setFocus();
        for (const int key : keys) {
            if (key == Qt::Key_Return)
                chosen = selectedName();
            QTest::keyClick(list, Qt::Key(key));
        }
        if (!keys.contains(Qt::Key_Return))
            chosen = selectedName();
        QCOMPARE(chosen, selected);
        QVERIFY(p.fake.messages.isEmpty());
        if (on == Screen::OpenTournament) {
            QCOMPARE(p.screen(Screen::TournamentEditor)->isVisible(), opened);
            QCOMPARE(p.screen(on)->isVisible(), !opened);
        } else {
            QCOMPARE(p.fake.dialogsRun, opened ? QStringList{QStringLiteral("TfrmExpClassifica")} : QStringList{});
        }
    }

    void openAndDeleteNeedASelection_data()
    {
        QTest::addColumn<bool>("withFiles");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("open, empty list") << false << "btnApri" << emptyList;
        QTest::newRow("open, nothing selected") << true << "btnApri" << openNoSelection;
        QTest::newRow("delete, empty list") << false << "btnElimina" << emptyList;
        QTest::newRow("delete, nothing selected") << true << "btnElimina" << deleteNoSelection;
    }

    void openAndDeleteNeedASelection()
    {
        QFETCH(bool, withFiles);
        QFETCH(QString, button);
        QFETCH(QString, message);
        Program p;
        if (withFiles)
            p.makeFile(QStringLiteral("Coppa.vai"));
        p.openScreen();
        p.click(Screen::OpenTournament, button);
        QCOMPARE(p.fake.messages.size(), 1);
        QCOMPARE(p.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(p.fake.lastMessage().text, message);
        QVERIFY(p.screen(Screen::OpenTournament)->isVisible());
        QCOMPARE(QFileInfo::exists(p.folder.file(QStringLiteral("Coppa.vai"))), withFiles);
    }

    void deleteAfterConfirming_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void deleteAfterConfirming()
    {
        QFETCH(bool, yes);
        Program p;
        p.makeFile(QStringLiteral("Coppa.vai"), "entries");
        p.makeFile(QStringLiteral("Torneo.vai"));
        p.openScreen();
        p.select(QStringLiteral("Coppa.vai"));
        p.fake.answers = FakePlatform::yesNo({yes});
        p.click(Screen::OpenTournament, QStringLiteral("btnElimina"));

        QCOMPARE(p.fake.messages.front().kind, MessageKind::Question);
        QCOMPARE(p.fake.messages.front().text, deleteQuestion);
        // Deleting cannot be undone: Enter answers No.
        QCOMPARE(p.fake.messages.front().choices.preset, platform::Answer::No);
        QCOMPARE(QFileInfo::exists(p.folder.file(QStringLiteral("Coppa.vai"))), !yes);
        QVERIFY(QFileInfo::exists(p.folder.file(QStringLiteral("Torneo.vai"))));
        if (yes) {
            QCOMPARE(p.fake.messages.size(), 2);
            QCOMPARE(p.fake.lastMessage().kind, MessageKind::Information);
            QCOMPARE(p.fake.lastMessage().text, deleted);
            QCOMPARE(p.rows(), QStringList{QStringLiteral("Torneo.vai")});
            QCOMPARE(p.countLine(), QStringLiteral("Sono stati creati 1 tornei."));
        } else {
            QCOMPARE(p.fake.messages.size(), 1);
            QCOMPARE(p.rows(), (QStringList{QStringLiteral("Coppa.vai"), QStringLiteral("Torneo.vai")}));
        }
        // Deleting is no way into a tournament: closing goes back to the launcher.
        p.screen(Screen::OpenTournament)->close();
        QVERIFY(p.launcher()->isVisible());
        QVERIFY(!p.screen(Screen::TournamentEditor)->isVisible());
    }

    void deletingTheLastTournament()
    {
        Program p;
        p.makeFile(QStringLiteral("Coppa.vai"));
        p.openScreen();
        p.select(QStringLiteral("Coppa.vai"));
        p.fake.answers = {platform::Answer::Yes};
        p.click(Screen::OpenTournament, QStringLiteral("btnElimina"));
        QCOMPARE(p.rows(), QStringList());
        QCOMPARE(p.countLine(), QStringLiteral("Sono stati creati 0 tornei."));
    }

    void deleteFailure_data()
    {
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("a folder took the file's place") << false;
        QTest::newRow("read-only program folder") << true;
    }

    void deleteFailure()
    {
        QFETCH(bool, lockFolder);
        Program p;
        p.makeFile(QStringLiteral("Coppa.vai"));
        p.makeFile(QStringLiteral("Torneo.vai"));
        p.openScreen();
        std::optional<LockedFolder> lock;
        if (lockFolder) {
            lock.emplace(p.folder.path());
        } else {
            QVERIFY(QFile::remove(p.folder.file(QStringLiteral("Coppa.vai"))));
            QVERIFY(QDir().mkpath(p.folder.file(QStringLiteral("Coppa.vai/schede"))));
        }
        p.select(QStringLiteral("Coppa.vai"));
        p.fake.answers = {platform::Answer::Yes};
        p.click(Screen::OpenTournament, QStringLiteral("btnElimina"));

        QCOMPARE(p.fake.messages.size(), 2);
        QCOMPARE(p.fake.messages.front().kind, MessageKind::Question);
        QCOMPARE(p.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(p.fake.lastMessage().text, deleteFailed);
        QVERIFY(QFileInfo::exists(p.folder.file(QStringLiteral("Coppa.vai"))));
        QCOMPARE(p.rows(), (QStringList{QStringLiteral("Coppa.vai"), QStringLiteral("Torneo.vai")}));
        QCOMPARE(p.list()->selectedItems().front()->text(), QStringLiteral("Coppa.vai"));
        QCOMPARE(p.countLine(), QStringLiteral("Sono stati creati 2 tornei."));
    }
};

QTEST_MAIN(TestCatalogueScreens)
#include "tst_catalogue_screens.moc"
