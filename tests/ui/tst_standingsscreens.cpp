// The standings chooser and the two standings screens on real tournament files, driven through
// their widgets with the platform doubles.
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Screens.h"
#include "common/PictureButton.h"
#include "output/RecordListModel.h"
#include "output/RecordListScreen.h"
#include "standings/Classifica.h"
#include "standings/ExpClassifica.h"
#include "storage/FileFaults.h"
#include "storage/TournamentRecord.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QtTest>

namespace {

struct Team {
    QString name;
    QString contact;
    QString points;
};

void writeTournament(const QString& path, const QList<Team>& teams)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    for (const Team& team : teams) {
        TournamentRecord record;
        record.Concorrente = team.name;
        record.Responsabile = team.contact;
        record.Punteggio = team.points;
        record.Note = QStringLiteral("girone A");
        record.setCompletato(false);
        file.write(record.toBytes());
    }
}

const QList<Team> CoppaEstate{{"Leoni", "Anna Neri", "7,00"},
                              {"Aquile", "Mario Rossi", "12,50"},
                              {"beta", "", "  "},
                              {"Orsi", "Luca Verdi", "100,00"}};

template <typename T>
T* child(QObject* parent, const QString& name)
{
    return widgets::find<T>(parent, name);
}

void click(QObject* parent, const char* name)
{
    QTest::mouseClick(child<QAbstractButton>(parent, QString::fromLatin1(name)), Qt::LeftButton);
}

QStringList listed(QTableView* list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data(RecordListModel::RowTextRole).toString());
    return texts;
}

// What a standings screen showed while it was open.
struct Seen {
    QString title;
    QString caption;
    QString file;
    QStringList rows;
    QList<qint64> positions;
    QString total;
    bool maximised = false;
    QRect geometry;      // before it was shown
    QRect screenArea;
    int selected = -2;
    QString focus;
};

}  // namespace

// The chooser shown over a program folder holding one tournament, with that tournament selected.
struct Chooser {
    Chooser(const QString& file, const QList<Team>& teams);
    FakePlatform fake;
    TempProgramFolder folder;
    std::unique_ptr<Screens> screens;
    QWidget* chooser = nullptr;
};

class TestStandingsScreens : public QObject {
    Q_OBJECT

public:
    // The chooser as the launcher shows it.
    static QWidget* showChooser(Screens& screens)
    {
        screens.navigator().go(Screen::StandingsChooser, screens.launcher());
        return screens.navigator().screen(Screen::StandingsChooser);
    }

    static void select(QWidget* chooser, const QString& item)
    {
        auto* files = child<QListWidget>(chooser, QStringLiteral("lstFiles"));
        const QList<QListWidgetItem*> found = files->findItems(item, Qt::MatchExactly);
        if (found.size() != 1)
            qFatal("no item %s", qPrintable(item));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
    }

    // Shows the standings screen the chooser opens and records what it shows; `act` may work
    // on it while it is open.
    static void watchStandings(FakePlatform& fake, Seen& seen, const std::function<void(StandingsScreen&)>& act = {})
    {
        fake.onDialog = [&seen, act](QObject* dialog) {
            auto* screen = qobject_cast<StandingsScreen*>(dialog);
            if (!screen)
                return;
            seen.geometry = screen->geometry();
            seen.screenArea = screen->screen()->availableGeometry();
            screen->show();
            // The rows arrive while the event loop runs.
            QVERIFY(QTest::qWaitFor([screen] { return !screen->isFilling(); }));
            seen.title = child<QLabel>(screen, QStringLiteral("titClassifica"))->text();
            seen.caption = screen->windowTitle();
            if (auto* file = screen->findChild<QLabel*>(QStringLiteral("lblFile")))
                seen.file = file->text();
            auto* list = child<QTableView>(screen, QStringLiteral("lstRecords"));
            seen.rows = listed(list);
            for (const ListRow& row : screen->rows())
                seen.positions.append(row.position);
            seen.total = child<QLabel>(screen, QStringLiteral("lblTotConcorrenti"))->text();
            seen.maximised = screen->windowState().testFlag(Qt::WindowMaximized);
            seen.selected = screen->selectedRow();
            seen.focus = screen->focusWidget() ? screen->focusWidget()->objectName() : QString();
            if (act)
                act(*screen);
            screen->close();
        };
    }

private Q_SLOTS:
    void chooserListsTheTournaments()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        for (const char* name : {"Serie A 2024.vai", "coppa.vai", "2024 Coppa.vai", "note.txt"})
            writeTournament(folder.file(QString::fromLatin1(name)), {});
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("Vecchi")));
        writeTournament(folder.file(QStringLiteral("Vecchi/Vecchio.vai")), {});

        Screens screens;
        QWidget* chooser = showChooser(screens);
        QVERIFY(chooser->isVisible());
        QCOMPARE(chooser->windowTitle(), QStringLiteral(" Golvera - Visualizzazione classifiche"));
        auto* files = child<QListWidget>(chooser, QStringLiteral("lstFiles"));
        QStringList items;
        for (int row = 0; row < files->count(); ++row)
            items.append(files->item(row)->text());
        QCOMPARE(items, (QStringList{"2024 Coppa.vai", "coppa.vai", "Serie A 2024.vai"}));
        QCOMPARE(files->item(0)->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(files->item(0)->font().pointSize(), 14);
        QCOMPARE(child<QLabel>(chooser, QStringLiteral("lblCreati"))->text(), QStringLiteral("Sono stati creati 3 tornei."));

        // Closing goes back to the launcher; showing the chooser again reads the folder again
        // and forgets the selection.
        select(chooser, QStringLiteral("coppa.vai"));
        QCOMPARE(files->selectedItems().size(), 1);
        click(chooser, "btnAnnulla");
        QVERIFY(!chooser->isVisible());
        QVERIFY(screens.launcher()->isVisible());
        for (const char* name : {"Serie A 2024.vai", "coppa.vai", "2024 Coppa.vai"})
            QVERIFY(QFile::remove(folder.file(QString::fromLatin1(name))));
        showChooser(screens);
        QCOMPARE(files->count(), 0);
        QCOMPARE(child<QLabel>(chooser, QStringLiteral("lblCreati"))->text(), QStringLiteral("Sono stati creati 0 tornei."));
        writeTournament(folder.file(QStringLiteral("Nuovo.vai")), {});
        chooser->close();
        showChooser(screens);
        QCOMPARE(files->count(), 1);
        QVERIFY(files->selectedItems().isEmpty());
    }

    void chooserWarnings_data()
    {
        QTest::addColumn<bool>("withTournament");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("warning");
        const QString empty = QStringLiteral("Attenzione: l'elenco non contiene nessun torneo.");
        const QString unselected = QStringLiteral("Attenzione: selezionare il torneo dall'elenco prima di premere il pulsante "
                                                  "per visualizzare la classifica corrispondente.");
        QTest::newRow("merit, empty list") << false << "btnExcel" << empty;
        QTest::newRow("alphabetical, empty list") << false << "btnApri" << empty;
        QTest::newRow("merit, nothing selected") << true << "btnExcel" << unselected;
        QTest::newRow("alphabetical, nothing selected") << true << "btnApri" << unselected;
    }
    void chooserWarnings()
    {
        QFETCH(bool, withTournament);
        QFETCH(QString, button);
        QFETCH(QString, warning);
        FakePlatform fake;
        TempProgramFolder folder;
        if (withTournament)
            writeTournament(folder.file(QStringLiteral("Coppa Estate.vai")), CoppaEstate);
        Screens screens;
        QWidget* chooser = showChooser(screens);
        click(chooser, button.toLatin1().constData());
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, platform::MessageKind::Warning);
        QCOMPARE(fake.lastMessage().text, warning);
        QVERIFY(fake.dialogsRun.isEmpty());
        QVERIFY(child<QLabel>(chooser, QStringLiteral("lblFile"))->text().isEmpty());
    }

    void meritStandings()
    {
        Chooser c(QStringLiteral("Serie A 2024.vai"), CoppaEstate);
        Seen seen;
        watchStandings(c.fake, seen);
        click(c.chooser, "btnExcel");

        QCOMPARE(c.fake.dialogsRun, QStringList{QStringLiteral("TfrmExpClassifica")});
        QCOMPARE(child<QLabel>(c.chooser, QStringLiteral("lblFile"))->text(), c.folder.file(QStringLiteral("Serie A 2024.vai")));
        QCOMPARE(seen.title, QStringLiteral("Classifica di merito Serie A 2024"));
        QCOMPARE(seen.caption, QStringLiteral(" Golvera - Classifica di merito"));
        QVERIFY(seen.maximised);
        // The whole screen, even where no window manager maximises it.
        QCOMPARE(seen.geometry, seen.screenArea);
        QCOMPARE(seen.rows.size(), 4);
        QVERIFY(seen.rows.at(0).startsWith(QStringLiteral("1      Orsi                            Resp. Luca Verdi")));
        QVERIFY(seen.rows.at(0).endsWith(QStringLiteral("  Punti: 100,00")));
        QVERIFY(seen.rows.at(1).startsWith(QStringLiteral("2      Aquile ")));
        QVERIFY(seen.rows.at(2).startsWith(QStringLiteral("3      Leoni ")));
        QVERIFY(seen.rows.at(3).startsWith(QStringLiteral("4      beta ")));
        QVERIFY(seen.rows.at(3).endsWith(QStringLiteral("  Punti: ")));
        QCOMPARE(seen.positions, (QList<qint64>{4, 2, 1, 3}));
        QCOMPARE(seen.total, QStringLiteral("4"));
        // The merit standings select nothing when they open.
        QCOMPARE(seen.selected, -1);
        // The c.chooser keeps its selection.
        QCOMPARE(child<QListWidget>(c.chooser, QStringLiteral("lstFiles"))->selectedItems().size(), 1);
    }

    void alphabeticalStandings()
    {
        Chooser c(QStringLiteral("Serie A 2024.vai"),
                  {{"beta", "", "1,00"}, {"Alfa", "", "2,00"}, {"Senza punti", "", "   "}, {"ALFA BIANCA", "", "3,00"}});
        Seen seen;
        watchStandings(c.fake, seen);
        click(c.chooser, "btnApri");

        QCOMPARE(c.fake.dialogsRun, QStringList{QStringLiteral("TfrmClassifica")});
        QCOMPARE(seen.title, QStringLiteral("Classifica alfabetica Serie A 2024"));
        QCOMPARE(seen.caption, QStringLiteral(" Golvera - Classifica alfabetica"));
        QCOMPARE(seen.file, c.folder.file(QStringLiteral("Serie A 2024.vai")));
        QVERIFY(seen.maximised);
        QCOMPARE(seen.geometry, seen.screenArea);
        QCOMPARE(seen.rows.size(), 3);
        QVERIFY(seen.rows.at(0).startsWith(QStringLiteral("Alfa                            Resp. ")));
        QVERIFY(seen.rows.at(1).startsWith(QStringLiteral("ALFA BIANCA ")));
        QVERIFY(seen.rows.at(2).startsWith(QStringLiteral("beta ")));
        QCOMPARE(seen.positions, (QList<qint64>{2, 4, 1}));
        QCOMPARE(seen.total, QStringLiteral("3"));
        QCOMPARE(seen.selected, 0);
        QCOMPARE(seen.focus, QStringLiteral("txtTrova"));
    }

    // A file that disappeared after the list was built is created empty by the standings.
    void vanishedTournamentGivesEmptyStandings()
    {
        Chooser c(QStringLiteral("Coppa.vai"), CoppaEstate);
        const QString path = c.folder.file(QStringLiteral("Coppa.vai"));
        QVERIFY(QFile::remove(path));
        Seen seen;
        watchStandings(c.fake, seen);
        click(c.chooser, "btnExcel");
        QVERIFY(seen.rows.isEmpty());
        QCOMPARE(seen.total, QStringLiteral("0"));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    // A tournament that is there but cannot be read says so: it is not a tournament of 0 teams.
    void unreadableTournamentIsReported_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("merit") << "btnExcel";
        QTest::newRow("alphabetical") << "btnApri";
    }
    void unreadableTournamentIsReported()
    {
        QFETCH(QString, button);
        Chooser c(QStringLiteral("Coppa.vai"), CoppaEstate);
        const fileFaults::Injected unreadable({fileFaults::Fault::OpenRefused, 0, c.folder.file(QStringLiteral("Coppa.vai"))});
        Seen seen;
        watchStandings(c.fake, seen);
        click(c.chooser, qPrintable(button));
        QVERIFY(unreadable.strikes() > 0);
        QVERIFY(seen.rows.isEmpty());
        QCOMPARE(c.fake.messages.size(), 1);
        QCOMPARE(c.fake.lastMessage().kind, platform::MessageKind::Error);
        QCOMPARE(c.fake.lastMessage().text,
                 QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere "
                                "i privilegi di scrittura nella cartella di installazione del programma."));
    }

    // " Coppa.vai" and "Coppa.vai" side by side: each is ranked from its own file.
    void listedNameIsUsedAsItIs()
    {
        Chooser c(QStringLiteral("Coppa.vai"), CoppaEstate);
        writeTournament(c.folder.file(QStringLiteral(" Coppa.vai")), {{"Solo", "", "1,00"}});
        c.screens->navigator().go(Screen::Launcher, c.chooser);
        c.chooser = showChooser(*c.screens);
        select(c.chooser, QStringLiteral(" Coppa.vai"));
        Seen seen;
        watchStandings(c.fake, seen);
        click(c.chooser, "btnApri");
        QCOMPARE(seen.file, c.folder.file(QStringLiteral(" Coppa.vai")));
        QCOMPARE(seen.rows.size(), 1);
        QVERIFY(seen.rows.first().startsWith(QStringLiteral("Solo ")));
        QCOMPARE(seen.title, QStringLiteral("Classifica alfabetica  Coppa"));
    }

    // "alf" over ALFA, Alfabeto, beta: ALFA, Alfabeto, ALFA again. The merit standings keep the
    // text for the next opening; the alphabetical ones start afresh.
    void findInTheStandings()
    {
        Chooser c(QStringLiteral("Coppa.vai"), {{"ALFA", "", "3,00"}, {"Alfabeto", "", "2,00"}, {"beta", "", "1,00"}});

        for (const char* button : {"btnApri", "btnExcel"}) {
            QList<int> selections;
            Seen seen;
            watchStandings(c.fake, seen, [&selections](StandingsScreen& screen) {
                QTest::keyClicks(child<QLineEdit>(&screen, QStringLiteral("txtTrova")), QStringLiteral("alf"));
                for (int press = 0; press < 3; ++press) {
                    click(&screen, "btnTrova");
                    selections.append(screen.selectedRow());
                }
            });
            click(c.chooser, button);
            QCOMPARE(selections, (QList<int>{0, 1, 0}));
        }
        QCOMPARE(RecordListScreen::rememberedSearch(ListKind::MeritStandings), QStringLiteral("ALF"));

        // Opened again, the merit standings take "alf" as the same search: the first press
        // moves on from the first row.
        QList<int> merit;
        Seen seen;
        watchStandings(c.fake, seen, [&merit](StandingsScreen& screen) {
            QTest::keyClicks(child<QLineEdit>(&screen, QStringLiteral("txtTrova")), QStringLiteral("alf"));
            click(&screen, "btnTrova");
            merit.append(screen.selectedRow());
        });
        click(c.chooser, "btnExcel");
        QCOMPARE(merit, QList<int>{1});

        // The alphabetical standings forget the text when they open: "alf" is a new search.
        QList<int> alphabetical;
        watchStandings(c.fake, seen, [&alphabetical](StandingsScreen& screen) {
            QTest::keyClicks(child<QLineEdit>(&screen, QStringLiteral("txtTrova")), QStringLiteral("alf"));
            click(&screen, "btnTrova");
            alphabetical.append(screen.selectedRow());
        });
        click(c.chooser, "btnApri");
        QCOMPARE(alphabetical, QList<int>{0});
        QVERIFY(c.fake.messages.isEmpty());
    }

    void findInAnEmptyList()
    {
        Chooser c(QStringLiteral("Vuoto.vai"), {});
        Seen seen;
        watchStandings(c.fake, seen, [](StandingsScreen& screen) { click(&screen, "btnTrova"); });
        click(c.chooser, "btnApri");
        QCOMPARE(c.fake.messages.size(), 1);
        QCOMPARE(c.fake.lastMessage().kind, platform::MessageKind::Plain);
        QCOMPARE(c.fake.lastMessage().text, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void print_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("withTeams");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("printed");
        const QString question = QStringLiteral("Si vuole stampare la presente classifica?");
        const QString empty = QStringLiteral("Operazione di stampa non applicabile: la classifica non contiene nessuna voce.");
        QTest::newRow("merit, Yes") << "btnExcel" << true << true << question << true;
        QTest::newRow("merit, No prints nothing") << "btnExcel" << true << false << question << false;
        QTest::newRow("merit, empty") << "btnExcel" << false << true << empty << false;
        QTest::newRow("alphabetical, Yes") << "btnApri" << true << true << question << true;
        QTest::newRow("alphabetical, No prints nothing") << "btnApri" << true << false << question << false;
        QTest::newRow("alphabetical, empty") << "btnApri" << false << true << empty << false;
    }
    void print()
    {
        QFETCH(QString, button);
        QFETCH(bool, withTeams);
        QFETCH(bool, answer);
        QFETCH(QString, message);
        QFETCH(bool, printed);
        Chooser c(QStringLiteral("Coppa Estate.vai"), withTeams ? CoppaEstate : QList<Team>{});
        c.fake.answers = FakePlatform::yesNo({answer});
        Seen seen;
        watchStandings(c.fake, seen, [](StandingsScreen& screen) { click(&screen, "btnStampa"); });
        click(c.chooser, button.toLatin1().constData());

        QCOMPARE(c.fake.messages.size(), 1);
        QCOMPARE(c.fake.lastMessage().text, message);
        QCOMPARE(c.fake.lastMessage().kind, message == QStringLiteral("Si vuole stampare la presente classifica?")
                                              ? platform::MessageKind::Question
                                              : platform::MessageKind::Warning);
        QCOMPARE(c.fake.printJobs.size(), printed ? 1 : 0);
        if (!printed)
            return;
        const report::PreparedReport document = c.fake.printed().first();
        QCOMPARE(document.title, button == QStringLiteral("btnExcel") ? QStringLiteral("Classifica di merito")
                                                                      : QStringLiteral("Classifica alfabetica"));
        QCOMPARE(document.pages.size(), 1);
        const report::PreparedPage& page = document.pages.first();
        QCOMPARE(page.orientation, QPageLayout::Landscape);
        QCOMPARE(page.itemsNamed(QStringLiteral("txtTitolo")).size(), 1);
        QCOMPARE(page.itemsNamed(QStringLiteral("txtTitolo")).first()->text(), seen.title);
        QStringList lines = seen.rows;
        lines << QStringLiteral("- - - - - - - - - - - - - - - -") << QStringLiteral("TOTALE SQUADRE:              ") + seen.total;
        QCOMPARE(page.itemsNamed(QStringLiteral("txtRiepilogo")).size(), 1);
        QCOMPARE(page.itemsNamed(QStringLiteral("txtRiepilogo")).first()->lines, lines);
        QCOMPARE(page.itemsNamed(QStringLiteral("txtPagina")).first()->text(), QStringLiteral("Stampa eseguita in data 09/12/2026"));
        // The dialog suggests a PDF named after the tournament and the standings.
        QCOMPARE(c.fake.printJobs.first().fileName, QStringLiteral("Coppa Estate - %1.pdf")
                                                        .arg(button == QStringLiteral("btnExcel") ? QStringLiteral("Classifica di merito")
                                                                                                  : QStringLiteral("Classifica alfabetica")));
    }

    void helpPages_data()
    {
        QTest::addColumn<QString>("where");  // the chooser, or the standings screen its button opens
        QTest::newRow("chooser") << "";
        QTest::newRow("merit standings") << "btnExcel";
        QTest::newRow("alphabetical standings") << "btnApri";
    }
    void helpPages()
    {
        QFETCH(QString, where);
        Chooser c(QStringLiteral("Coppa.vai"), CoppaEstate);
        QString title;
        QString text;
        c.fake.onDialog = [&](QObject* dialog) {
            if (auto* guide = qobject_cast<TfrmGuida*>(dialog)) {
                title = child<QLabel>(guide, QStringLiteral("lblTitolo"))->text();
                text = child<QPlainTextEdit>(guide, QStringLiteral("txtGuida"))->toPlainText();
            } else if (auto* screen = qobject_cast<StandingsScreen*>(dialog)) {
                click(screen, "imgGuida");
            }
        };
        click(c.chooser, where.isEmpty() ? "imgGuida" : where.toLatin1().constData());

        QCOMPARE(title, QStringLiteral("Visualizzazione classifiche"));
        const QString expected = QStringLiteral(
            "Il pulsante Visualizza classifiche presente nella finestra di avvio del programma permette di accedere ad un "
            "ambiente predisposto per la visualizzazione e la stampa della classifica relativa a ciascun torneo di calcio in "
            "archivio. In tale ambiente bisogna selezionare dall'elenco il nome del torneo di interesse e premere il pulsante "
            "Classifica di merito per visualizzare la relativa classifica ordinata in base al punteggio totale ottenuto da "
            "ogni squadra. Nella classifica di merito i nomi delle squadre di calcio sono preceduti dal numero di posizione "
            "in graduatoria. Premendo il pulsante Classifica alfabetica, si ottiene, invece, la classifica ordinata "
            "alfabeticamente in base ai nomi delle squadre.\r\n\r\n"
            "In calce alla classifica è indicato il numero totale delle squadre partecipanti al torneo.\r\n\r\n"
            "La stampa della classifica è fatta su fogli in formato A4 con orientamento orizzontale. In cima alla prima "
            "pagina viene stampato il nome del torneo di calcio seguito dall'elenco delle squadre partecipanti. Oltre al "
            "nome di ciascuna squadra, nella classifica sono indicati il nome del responsabile, le proprie annotazioni "
            "personalizzate associate alla squadra e il punteggio totale conseguito. In calce alla classifica compare la "
            "data e l'ora in cui la stampa è stata eseguita. Come è facile intuire, la presenza della data di stampa "
            "consente di capire se la classifica è provvisoria o finale.");
        // The text box shows the paragraph breaks as line breaks.
        QCOMPARE(text, QString(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    // Closing also stops a reading still under way; nothing of it shows afterwards.
    void exitClosesTheStandings_data()
    {
        QTest::addColumn<bool>("waitForRows");
        QTest::newRow("after the rows arrived") << true;
        QTest::newRow("at once") << false;
    }
    void exitClosesTheStandings()
    {
        QFETCH(bool, waitForRows);
        Chooser c(QStringLiteral("Coppa.vai"), CoppaEstate);
        bool closed = false;
        int rowsAfter = -1;
        c.fake.onDialog = [&](QObject* dialog) {
            auto* screen = qobject_cast<StandingsScreen*>(dialog);
            screen->show();
            if (waitForRows) {
                QVERIFY(QTest::qWaitFor([screen] { return !screen->isFilling(); }));
                QVERIFY(screen->rowCount() > 0);
            }
            click(screen, "btnEsci");
            QVERIFY(!screen->isFilling());
            QTest::qWait(20);
            closed = !screen->isVisible();
            rowsAfter = int(screen->rows().size());
        };
        click(c.chooser, "btnApri");
        QVERIFY(closed);
        QCOMPARE(rowsAfter, 0);
        QVERIFY(c.chooser->isVisible());
    }
};

Chooser::Chooser(const QString& file, const QList<Team>& teams)
{
    writeTournament(folder.file(file), teams);
    screens = std::make_unique<Screens>();
    chooser = TestStandingsScreens::showChooser(*screens);
    TestStandingsScreens::select(chooser, file);
}

// A screen larger than the standings' smallest size, so that filling it shows in their geometry.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" GOLVERA_SOURCE_DIR "/tests/support/large-screen.json");
    QApplication app(argc, argv);
    TestStandingsScreens test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_standingsscreens.moc"
