// Every list and search of the three archives leaves withdrawn records out, and shows them,
// marked, while "Mostra anche i ritirati" is on; the archive stays as it was.
#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "players/Scadute.h"
#include "players/TrovaGiocatori.h"
#include "standings/Classifica.h"
#include "storage/PlayerRecord.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "teams/Selezionate.h"
#include "teams/TrovaSquadre.h"
#include "tournament/ImportaSquadra.h"
#include "tournament/Segnalati.h"
#include "tournament/TrovaPagina.h"
#include "withdrawal/WithdrawalMarks.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"

#include <QCheckBox>
#include <QtTest>

#include <memory>

namespace {

const QStringList names{QStringLiteral("Aquile"), QStringLiteral("Falchi"), QStringLiteral("Grifoni")};

enum class List { SelectedTeams, TeamSearch, TeamImport, PlayerSearch, ExpiredCards, PendingEntries, EntrySearch, MeritStandings };

QByteArray content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The archive the list reads, three records with "Falchi" (the second) withdrawn.
QString writeArchive(List list, const TempProgramFolder& folder)
{
    switch (list) {
    case List::SelectedTeams:
    case List::TeamSearch:
    case List::TeamImport: {
        QList<TeamRecord> teams;
        for (const QString& name : names) {
            TeamRecord record;
            record.Squadra = name;
            record.setSelezionata(true);
            teams.append(record);
        }
        const QString path = folder.file(programFolder::teamArchiveName);
        archiveFiles::writeRecords(path, teams);
        return path;
    }
    case List::PlayerSearch:
    case List::ExpiredCards: {
        QList<PlayerRecord> players;
        for (const QString& name : names) {
            PlayerRecord record;
            record.Giocatore = name;
            record.ScadTessera = QStringLiteral("01/01/2020");
            players.append(record);
        }
        const QString path = folder.file(programFolder::playerArchiveName);
        archiveFiles::writeRecords(path, players);
        return path;
    }
    default:
        break;
    }
    QList<TournamentRecord> entries;
    for (const QString& name : names) {
        TournamentRecord record;
        record.Concorrente = name;
        record.Punteggio = QStringLiteral("3,00");
        record.setCompletato(false);
        entries.append(record);
    }
    const QString path = folder.file(QStringLiteral("Coppa.vai"));
    archiveFiles::writeRecords(path, entries);
    return path;
}

std::unique_ptr<RecordListScreen> makeScreen(List list, const QString& path)
{
    switch (list) {
    case List::SelectedTeams:
        return std::make_unique<TfrmSelezionate>(nullptr);
    case List::TeamSearch:
        return std::make_unique<TfrmTrovaSquadre>(nullptr);
    case List::TeamImport:
        return std::make_unique<TfrmImportaSquadra>(nullptr);
    case List::PlayerSearch:
        return std::make_unique<TfrmTrovaGiocatori>(nullptr);
    case List::ExpiredCards:
        return std::make_unique<TfrmTessereScadute>(nullptr);
    case List::PendingEntries: {
        auto screen = std::make_unique<TfrmSegnalati>(nullptr);
        screen->setTournament(path);
        return screen;
    }
    case List::EntrySearch: {
        auto screen = std::make_unique<TfrmTrovaPagina>(nullptr);
        screen->setTournament(path);
        return screen;
    }
    case List::MeritStandings:
        break;
    }
    auto screen = std::make_unique<TfrmClassifica>(nullptr);
    screen->setTournament(path);
    return screen;
}

QStringList listed(const RecordListScreen& screen)
{
    QStringList texts;
    for (const ListRow& row : screen.rows())
        texts << row.text;
    return texts;
}

}  // namespace

Q_DECLARE_METATYPE(List)

class TestWithdrawnLists : public QObject {
    Q_OBJECT

private slots:
    void switchShowsThemMarked_data()
    {
        QTest::addColumn<List>("list");
        QTest::newRow("selected teams") << List::SelectedTeams;
        QTest::newRow("team search") << List::TeamSearch;
        QTest::newRow("team import into an entry") << List::TeamImport;
        QTest::newRow("player search") << List::PlayerSearch;
        QTest::newRow("expired cards") << List::ExpiredCards;
        QTest::newRow("entries with matches to play") << List::PendingEntries;
        QTest::newRow("entry search") << List::EntrySearch;
        QTest::newRow("merit standings") << List::MeritStandings;
    }

    void switchShowsThemMarked()
    {
        QFETCH(List, list);
        FakePlatform fake;
        TempProgramFolder folder;
        programFolder::set(folder.path());
        const QString path = writeArchive(list, folder);
        QCOMPARE(withdrawal::apply(path, int(content(path).size() / 3), {{2, withdrawal::Action::Withdraw, {}, {}}},
                                   QDate(2027, 3, 12)),
                 withdrawal::Outcome::Done);
        const QByteArray archive = content(path);

        std::unique_ptr<RecordListScreen> screen = makeScreen(list, path);
        screen->show();
        if (auto* search = screen->findChild<PictureButton*>(QStringLiteral("btnCerca")))
            QTest::mouseClick(search, Qt::LeftButton);
        auto* withdrawn = screen->findChild<QCheckBox*>(QStringLiteral("chkRitirati"));
        QVERIFY(withdrawn);
        QCOMPARE(withdrawn->text(), QStringLiteral("Mostra anche i ritirati"));
        QVERIFY(withdrawn->isVisible());
        QVERIFY(!withdrawn->isChecked());
        QTRY_COMPARE(screen->rowCount(), 2);
        QVERIFY(!listed(*screen).join(u'|').contains(QStringLiteral("Falchi")));

        withdrawn->setChecked(true);
        QTRY_COMPARE(screen->rowCount(), 3);
        const QStringList shown = listed(*screen);
        const QStringList marked = shown.filter(QStringLiteral("(Ritirata il 12/03/2027)"));
        QCOMPARE(marked.size(), 1);
        QVERIFY(marked.front().contains(QStringLiteral("Falchi")));

        withdrawn->setChecked(false);
        QTRY_COMPARE(screen->rowCount(), 2);
        QCOMPARE(content(path), archive);
    }
};

QTEST_MAIN(TestWithdrawnLists)
#include "tst_withdrawnlists.moc"
