// Every record list as a table: its headings, the order it opens in, a click on a heading for each
// kind of column it has (a second click reverses), and every column in view without scrolling
// sideways on the desks the program meets, 1280 x 800 and 1366 x 768.
#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "output/RecordListModel.h"
#include "players/Scadute.h"
#include "players/TrovaGiocatori.h"
#include "standings/Classifica.h"
#include "standings/ExpClassifica.h"
#include "storage/PlayerRecord.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "teams/Selezionate.h"
#include "teams/TrovaSquadre.h"
#include "tournament/ImportaSquadra.h"
#include "tournament/Segnalati.h"
#include "tournament/TrovaPagina.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Clicks on a column's heading, after those before them: which column, how many clicks, and the
// names then shown. The first click on a column sorts it upwards, the next reverses it.
struct Sort {
    int column;
    int clicks;
    QStringList names;
};

TournamentRecord entry(const QString& name, const QString& contact, const QString& notes, const QString& points)
{
    TournamentRecord record;
    record.Concorrente = name;
    record.Responsabile = contact;
    record.Note = notes;
    record.Punteggio = points;
    record.Completato = u"No"_s;
    return record;
}

TeamRecord team(const QString& name, const QString& pitch, const QString& coach, const QString& phone)
{
    TeamRecord record;
    record.Squadra = name;
    record.Campo = pitch;
    record.Allenatore = coach;
    record.Responsabile = u"Responsabile "_s + name;
    record.Telefono = phone;
    record.setSelezionata(true);
    return record;
}

PlayerRecord player(const QString& name, const QString& card, const QString& certificate, const QString& goals)
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Squadra = u"Squadra di "_s + name;
    record.Cel = u"333 1234567"_s;
    record.Tessera = u"T-"_s + name;
    record.ScadTessera = card;
    record.ScadCertificato = certificate;
    record.Reti = goals;
    return record;
}

// The three archives every list reads, in a program folder of their own. Today is 5 March 2024.
struct Archives {
    FakePlatform fake;
    TempProgramFolder folder;
    QString tournament = folder.file(u"Coppa.vai"_s);

    Archives()
    {
        fake.now = QDateTime(QDate(2024, 3, 5), QTime(9, 0));
        archiveFiles::writeRecords(tournament, QList<TournamentRecord>{
                                                   entry(u"Orsi"_s, u"Luca Verdi"_s, u"ritirata"_s, u"100,00"_s),
                                                   entry(u"aquile"_s, u"Anna Neri"_s, {}, u"9,00"_s),
                                                   entry(u"Leoni"_s, u"Bruno Rossi"_s, u"finale"_s, u"12,50"_s),
                                                   entry(u"Zebre"_s, u"Carla Bianchi"_s, {}, {}),
                                               });
        archiveFiles::writeRecords(folder.file(programFolder::teamArchiveName),
                                   QList<TeamRecord>{team(u"Lupi"_s, u"Stadio Zeta"_s, u"Rossi"_s, u"06 3"_s),
                                                     team(u"aquile"_s, u"Campo Alfa"_s, u"Verdi"_s, u"06 1"_s),
                                                     team(u"Falchi"_s, u"Borgo"_s, u"Bianchi"_s, u"06 2"_s)});
        archiveFiles::writeRecords(folder.file(programFolder::playerArchiveName),
                                   QList<PlayerRecord>{player(u"Rossi"_s, u"01/03/2024"_s, u"04/03/2024"_s, u"12"_s),
                                                       player(u"bianchi"_s, u"20/02/2024"_s, u"06/03/2024"_s, u"3"_s),
                                                       player(u"Verdi"_s, u"10/01/2024"_s, u"01/01/2024"_s, u"7"_s),
                                                       player(u"Neri"_s, u"05/03/2024"_s, u"31/02/2024"_s, u"20"_s)});
    }
};

template <typename Screen>
std::unique_ptr<RecordListScreen> made(QWidget* owner)
{
    return std::make_unique<Screen>(owner);
}

// The list open on `owner`'s screen as the user sees it, filled.
std::unique_ptr<RecordListScreen> open(ListKind list, QWidget* owner, const QString& tournament)
{
    std::unique_ptr<RecordListScreen> screen;
    switch (list) {
    case ListKind::MeritStandings:
    case ListKind::AlphabeticalStandings: {
        screen = list == ListKind::MeritStandings ? made<TfrmExpClassifica>(owner) : made<TfrmClassifica>(owner);
        auto* standings = static_cast<StandingsScreen*>(screen.get());
        standings->setTournament(tournament);
        standings->setTitle(u"Classifica"_s);
        standings->show();
        if (!QTest::qWaitFor([standings] { return !standings->isFilling(); }))
            QTest::qFail("the standings were not read", __FILE__, __LINE__);
        return screen;
    }
    case ListKind::TournamentSearch: {
        auto search = std::make_unique<TfrmTrovaPagina>(owner);
        search->setTournament(tournament);
        screen = std::move(search);
        break;
    }
    case ListKind::PendingEntries: {
        auto pending = std::make_unique<TfrmSegnalati>(owner);
        pending->setTournament(tournament);
        screen = std::move(pending);
        break;
    }
    case ListKind::TeamSearch:
        screen = made<TfrmTrovaSquadre>(owner);
        break;
    case ListKind::SelectedTeams:
        screen = made<TfrmSelezionate>(owner);
        break;
    case ListKind::TeamImport:
        screen = made<TfrmImportaSquadra>(owner);
        break;
    case ListKind::PlayerSearch:
        screen = made<TfrmTrovaGiocatori>(owner);
        break;
    case ListKind::ExpiredCards:
    case ListKind::ExpiredCertificates: {
        screen = list == ListKind::ExpiredCards ? made<TfrmTessereScadute>(owner) : made<TfrmCertificatiScaduti>(owner);
        static_cast<ExpiryListScreen*>(screen.get())->setHorizon(30);  // so that both marks are there to sort by
        break;
    }
    }
    screen->show();
    if (auto* search = screen->findChild<PictureButton*>(u"btnCerca"_s))
        search->click();
    return screen;
}

QStringList headings(const QAbstractItemModel& model)
{
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return texts;
}

QStringList column(const QAbstractItemModel& model, int index)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, index).data().toString();
    return texts;
}

}  // namespace

Q_DECLARE_METATYPE(ListKind)
Q_DECLARE_METATYPE(Sort)

class TestListTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tables_data()
    {
        QTest::addColumn<ListKind>("list");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<int>("nameColumn");
        QTest::addColumn<QStringList>("opening");  // the names in the order the list opens in
        QTest::addColumn<QList<Sort>>("sorts");

        const QStringList entryHeadings = {u"Squadra"_s, u"Responsabile"_s, u"Note"_s, u"Punti"_s};
        const QStringList teamHeadings = {u"Squadra"_s, u"Campo"_s, u"Allenatore"_s, u"Responsabile"_s, u"Telefono"_s};
        const QStringList playerHeadings = {u"Giocatore"_s, u"Squadra"_s, u"Cellulare"_s, u"Tessera n."_s,
                                            u"Scadenza"_s, u"Reti"_s};
        const QStringList entries = {u"aquile"_s, u"Leoni"_s, u"Orsi"_s, u"Zebre"_s};
        const QList<Sort> entrySorts = {{3, 1, {u"aquile"_s, u"Leoni"_s, u"Orsi"_s, u"Zebre"_s}},  // points, empty last
                                        {3, 1, {u"Orsi"_s, u"Leoni"_s, u"aquile"_s, u"Zebre"_s}},
                                        {1, 1, {u"aquile"_s, u"Leoni"_s, u"Zebre"_s, u"Orsi"_s}}};
        const QStringList teams = {u"aquile"_s, u"Falchi"_s, u"Lupi"_s};
        const QList<Sort> teamSorts = {{1, 1, {u"Falchi"_s, u"aquile"_s, u"Lupi"_s}},
                                       {2, 2, {u"aquile"_s, u"Lupi"_s, u"Falchi"_s}}};

        QTest::newRow("merit standings")
            << ListKind::MeritStandings << QStringList{u"Pos."_s} + entryHeadings << 1
            << QStringList{u"Orsi"_s, u"Leoni"_s, u"aquile"_s, u"Zebre"_s}
            << QList<Sort>{{0, 2, {u"Zebre"_s, u"aquile"_s, u"Leoni"_s, u"Orsi"_s}},  // places, reversed
                           {1, 1, {u"aquile"_s, u"Leoni"_s, u"Orsi"_s, u"Zebre"_s}},
                           {4, 1, {u"aquile"_s, u"Leoni"_s, u"Orsi"_s, u"Zebre"_s}}};
        QTest::newRow("alphabetical standings")
            << ListKind::AlphabeticalStandings << entryHeadings << 0 << QStringList{u"aquile"_s, u"Leoni"_s, u"Orsi"_s}
            << QList<Sort>{{3, 2, {u"Orsi"_s, u"Leoni"_s, u"aquile"_s}}, {0, 2, {u"Orsi"_s, u"Leoni"_s, u"aquile"_s}}};
        QTest::newRow("entry search") << ListKind::TournamentSearch << entryHeadings << 0 << entries << entrySorts;
        QTest::newRow("entries still to play") << ListKind::PendingEntries << entryHeadings << 0 << entries << entrySorts;
        QTest::newRow("team search") << ListKind::TeamSearch << teamHeadings << 0 << teams << teamSorts;
        QTest::newRow("selected teams") << ListKind::SelectedTeams << teamHeadings << 0 << teams << teamSorts;
        QTest::newRow("team import") << ListKind::TeamImport << teamHeadings << 0 << teams << teamSorts;
        QTest::newRow("player search")
            << ListKind::PlayerSearch << playerHeadings << 0
            << QStringList{u"bianchi"_s, u"Neri"_s, u"Rossi"_s, u"Verdi"_s}
            << QList<Sort>{{4, 1, {u"Verdi"_s, u"bianchi"_s, u"Rossi"_s, u"Neri"_s}},
                           {5, 1, {u"bianchi"_s, u"Verdi"_s, u"Rossi"_s, u"Neri"_s}},
                           {5, 1, {u"Neri"_s, u"Rossi"_s, u"Verdi"_s, u"bianchi"_s}}};
        QTest::newRow("expired cards")
            << ListKind::ExpiredCards << QStringList{u"Stato"_s} + playerHeadings << 1
            << QStringList{u"bianchi"_s, u"Neri"_s, u"Rossi"_s, u"Verdi"_s}
            << QList<Sort>{{0, 2, {u"Neri"_s, u"bianchi"_s, u"Rossi"_s, u"Verdi"_s}},  // about to expire first
                           {5, 1, {u"Verdi"_s, u"bianchi"_s, u"Rossi"_s, u"Neri"_s}},
                           {6, 1, {u"bianchi"_s, u"Verdi"_s, u"Rossi"_s, u"Neri"_s}}};
        QTest::newRow("expired certificates")
            << ListKind::ExpiredCertificates << QStringList{u"Stato"_s} + playerHeadings << 1
            << QStringList{u"bianchi"_s, u"Rossi"_s, u"Verdi"_s}
            << QList<Sort>{{0, 1, {u"Rossi"_s, u"Verdi"_s, u"bianchi"_s}},
                           {5, 1, {u"Verdi"_s, u"Rossi"_s, u"bianchi"_s}},
                           {1, 2, {u"Verdi"_s, u"Rossi"_s, u"bianchi"_s}}};
    }

    void tables()
    {
        QFETCH(ListKind, list);
        QFETCH(QStringList, headings);
        QFETCH(int, nameColumn);
        QFETCH(QStringList, opening);
        QFETCH(QList<Sort>, sorts);
        Archives archives;
        for (QScreen* desk : QGuiApplication::screens()) {
            QWidget owner;
            owner.setScreen(desk);
            owner.setGeometry(desk->availableGeometry());
            const std::unique_ptr<RecordListScreen> screen = open(list, &owner, archives.tournament);
            QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
            auto* table = widgets::find<QTableView>(screen.get(), u"lstRecords"_s);
            const QAbstractItemModel& model = *table->model();
            QCOMPARE(::headings(model), headings);
            QCOMPARE(column(model, nameColumn), opening);

            // Every column ends inside the list, and the list inside the window: nothing to
            // scroll to, sideways or down, to read a row.
            const QString desktop = desk->name();
            for (int c = 0; c < model.columnCount(); ++c) {
                const int right = table->horizontalHeader()->sectionViewportPosition(c)
                    + table->horizontalHeader()->sectionSize(c);
                QVERIFY2(right <= table->viewport()->width(),
                         qPrintable(u"%1: %2 ends at %3 of %4"_s.arg(desktop, headings.at(c)).arg(right).arg(
                             table->viewport()->width())));
            }
            QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
            const QRect inWindow(table->mapTo(screen.get(), QPoint(0, 0)), table->size());
            QVERIFY2(screen->rect().contains(inWindow), qPrintable(desktop));
            if (auto* scroller = screen->findChild<QScrollArea*>(u"scrPannello"_s)) {
                QCOMPARE(scroller->horizontalScrollBar()->maximum(), 0);
                QCOMPARE(scroller->verticalScrollBar()->maximum(), 0);
            }

            for (const Sort& sort : sorts) {
                QHeaderView* header = table->horizontalHeader();
                const QPoint heading(header->sectionViewportPosition(sort.column) + header->sectionSize(sort.column) / 2,
                                     header->height() / 2);
                for (int click = 0; click < sort.clicks; ++click)
                    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, heading);
                QVERIFY2(column(model, nameColumn) == sort.names,
                         qPrintable(u"%1, %2 click(s): %3"_s.arg(headings.at(sort.column))
                                        .arg(sort.clicks)
                                        .arg(column(model, nameColumn).join(u", "_s))));
                // The rows given out (to print, to find in) follow the order shown.
                QStringList given;
                for (const ListRow& row : screen->rows())
                    given << row.text;
                QStringList shown;
                for (int row = 0; row < model.rowCount(); ++row)
                    shown << model.index(row, 0).data(RecordListModel::RowTextRole).toString();
                QCOMPARE(given, shown);
            }
            screen->close();
        }
    }
};

int main(int argc, char** argv)
{
    // The two desks side by side, as two screens of one offscreen display.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" GOLVERA_SOURCE_DIR "/tests/support/desk-screens.json");
    QApplication app(argc, argv);
    TestListTables test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_listtables.moc"
