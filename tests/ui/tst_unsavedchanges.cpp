// Unsaved changes in the three real editors: a note typed on the second record and then a command
// that leaves it, one row per editor, checked by the screen and by the archive's bytes. The
// commands themselves, in every combination, are the shared editor's (tst_editorcommands).
#include "app/ProgramFolder.h"
#include "editor/RecordEditing.h"
#include "storage/FileFaults.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "teams/Squadre.h"
#include "tournament/Torneo.h"
#include "player_editor.h"

#include <QDialog>
#include <QLabel>
#include <QtTest>

using platform::Answer;
using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

enum class Kind { Tournament, Team, Player };
enum class How { PreviousKey, OpenFromList, Escape };

TournamentRecord entry(const QString& name)
{
    TournamentRecord record;
    record.Concorrente = name;
    record.Punteggio = u"0,00"_s;
    record.Completato = u"No"_s;
    return record;
}

TeamRecord team(const QString& name)
{
    TeamRecord record;
    record.Squadra = name;
    record.Responsabile = u"Neri"_s;
    record.Selezionata = u"S\u00EC"_s;
    return record;
}

struct Expected {
    QString label;     // the position label afterwards; empty with `closed`
    bool closed;       // the editor closed, the launcher shown
    bool stored;       // the note reached the second record
};

// Types a note on the second of two records, leaves it as `how` says and answers `answer`.
template <typename Screen, typename Record>
void leave(EditorFixture<Screen, Record>& e, const QList<Record>& records, How how, Answer answer,
           const Expected& expected)
{
    e.write(records);
    QVERIFY(e.open());
    e.click(u"cmdUltimo"_s);
    QLineEdit* note = e.field(u"txtNote"_s);
    note->setFocus();
    QTest::keyClicks(note, u"nota"_s);
    e.fake.answers = {answer};
    e.fake.onDialog = [](QObject* list) { widgets::doubleClickRow(list, 0); };

    switch (how) {
    case How::PreviousKey:
        QTest::keyClick(note, Qt::Key_PageUp, Qt::ControlModifier);
        break;
    case How::OpenFromList:
        e.click(u"cmdSelezionate"_s);
        break;
    case How::Escape:
        QTest::keyClick(note, Qt::Key_Escape);
        break;
    }

    QCOMPARE(e.fake.messages.front().kind, MessageKind::Question);
    QCOMPARE(e.fake.messages.front().text, recordEditing::saveChangesQuestion);
    QCOMPARE(e.screen.isVisible(), !expected.closed);
    QCOMPARE(e.launcher.isVisible(), expected.closed);
    if (!expected.closed) {
        QCOMPARE(e.template find<QLabel>(u"lblPosizione"_s)->text(), expected.label);
        // Staying, or importing into the same record, keeps the note on screen.
        QCOMPARE(note->text(), expected.label == u"2"_s ? u"nota"_s : QString());
    }
    QCOMPARE(e.records().at(1).Note, expected.stored ? u"nota"_s : QString());
}

// Shows the first of two records, visits `field` and leaves it by `key` without typing: it shows
// its normal form `shown`, and moving on to the second record asks nothing.
template <typename Screen, typename Record>
void leaveUntouched(EditorFixture<Screen, Record>& e, const QString& field, Qt::Key key, const QString& shown)
{
    e.click(u"cmdPrimo"_s);
    QLineEdit* edit = e.field(field);
    edit->setFocus();
    QTest::keyClick(edit, key);
    QCOMPARE(edit->text(), shown);
    e.click(u"cmdAvanti"_s);
    QVERIFY(e.fake.messages.isEmpty());
    QCOMPARE(e.template find<QLabel>(u"lblPosizione"_s)->text(), u"2"_s);
}

}  // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(How)
Q_DECLARE_METATYPE(Answer)

namespace {

// The roads where the question, or what follows it, used to lose or invent a change.
enum class Road {
    NewEntryThenNext,      // a new entry, Avanti, Sì: saved, and record 1 shown
    NewEntryThenPrevious,  // the same with Indietro
    PointsNotInNormalForm, // stored "12,5", the field visited and left: no change, no question
    CountNotInNormalForm,  // stored "007" the same way
    PhotoNotStored,        // Sì, but the photo cannot be written: the record and photo stay
    CancelFromList,        // Annulla to a row opened from a list: the list stays open
    ImportOfAVanishedTeam, // the team import's row is gone from the archive
};

}  // namespace

Q_DECLARE_METATYPE(Road)

class TestUnsavedChanges : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leavingAChangedRecord_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<How>("how");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("stored");
        QTest::newRow("tournament: Ctrl+PgUp, S\u00EC") << Kind::Tournament << How::PreviousKey << Answer::Yes << u"1"_s << false << true;
        QTest::newRow("team: opened from the selected teams, Annulla")
            << Kind::Team << How::OpenFromList << Answer::Cancel << u"2"_s << false << false;
        QTest::newRow("team: opened from the selected teams, No") << Kind::Team << How::OpenFromList << Answer::No << u"1"_s << false << false;
        QTest::newRow("player: Esc, S\u00EC") << Kind::Player << How::Escape << Answer::Yes << QString() << true << true;
        QTest::newRow("player: Esc, Annulla") << Kind::Player << How::Escape << Answer::Cancel << u"2"_s << false << false;
    }
    void leavingAChangedRecord()
    {
        QFETCH(Kind, kind);
        QFETCH(How, how);
        QFETCH(Answer, answer);
        QFETCH(QString, label);
        QFETCH(bool, closed);
        QFETCH(bool, stored);
        const Expected expected{label, closed, stored};
        switch (kind) {
        case Kind::Tournament: {
            EditorFixture<TfrmTorneo, TournamentRecord> e(Screen::TournamentEditor, u"Coppa.vai"_s);
            e.screen.setTournament(e.path, u"Coppa"_s);
            QVERIFY(archiveFiles::writeRecords(programFolder::file(programFolder::teamArchiveName), QList<TeamRecord>{team(u"Lupi"_s)}));
            leave(e, {entry(u"Aquile"_s), entry(u"Falchi"_s)}, how, answer, expected);
            break;
        }
        case Kind::Team: {
            EditorFixture<TfrmSquadre, TeamRecord> e(Screen::TeamArchive, programFolder::teamArchiveName);
            leave(e, {team(u"Aquile"_s), team(u"Falchi"_s)}, how, answer, expected);
            break;
        }
        case Kind::Player: {
            EditorFixture<TfrmGiocatori, PlayerRecord> e(Screen::PlayerArchive, programFolder::playerArchiveName);
            leave(e, {player(u"Rossi Anna"_s), player(u"Verdi Luca"_s)}, how, answer, expected);
            break;
        }
        }
    }

    void roadsOfTheQuestion_data()
    {
        QTest::addColumn<Road>("road");
        QTest::newRow("new entry, Avanti, S\u00EC") << Road::NewEntryThenNext;
        QTest::newRow("new entry, Indietro, S\u00EC") << Road::NewEntryThenPrevious;
        QTest::newRow("points stored as 12,5") << Road::PointsNotInNormalForm;
        QTest::newRow("count stored as 007") << Road::CountNotInNormalForm;
        QTest::newRow("S\u00EC, photo not written") << Road::PhotoNotStored;
        QTest::newRow("Annulla from a list") << Road::CancelFromList;
        QTest::newRow("team import: team gone") << Road::ImportOfAVanishedTeam;
    }
    void roadsOfTheQuestion()
    {
        QFETCH(Road, road);
        switch (road) {
        case Road::NewEntryThenNext:
        case Road::NewEntryThenPrevious: {
            EditorFixture<TfrmTorneo, TournamentRecord> e(Screen::TournamentEditor, u"Coppa.vai"_s);
            e.screen.setTournament(e.path, u"Coppa"_s);
            e.write({entry(u"Aquile"_s), entry(u"Falchi"_s)});
            QVERIFY(e.open());
            QTest::keyClicks(e.field(u"txtConcorrente"_s), u"Lupi"_s);
            e.fake.answers = {Answer::Yes};
            e.click(road == Road::NewEntryThenNext ? u"cmdAvanti"_s : u"cmdIndietro"_s);
            QCOMPARE(e.fake.messages.front().text, recordEditing::saveChangesQuestion);
            QCOMPARE(e.records().size(), 3);
            QCOMPARE(e.records().at(2).Concorrente, u"Lupi"_s);
            QCOMPARE(e.template find<QLabel>(u"lblPosizione"_s)->text(), u"1"_s);
            QCOMPARE(e.field(u"txtConcorrente"_s)->text(), u"Aquile"_s);
            break;
        }
        case Road::PointsNotInNormalForm: {
            EditorFixture<TfrmTorneo, TournamentRecord> e(Screen::TournamentEditor, u"Coppa.vai"_s);
            e.screen.setTournament(e.path, u"Coppa"_s);
            TournamentRecord odd = entry(u"Aquile"_s);
            odd.Punteggio = u"12,5"_s;
            e.write({odd, entry(u"Falchi"_s)});
            QVERIFY(e.open());
            leaveUntouched(e, u"txtPunteggio"_s, Qt::Key_Return, u"12,50"_s);
            // Typing is a change.
            e.click(u"cmdPrimo"_s);
            QLineEdit* points = e.field(u"txtPunteggio"_s);
            points->setFocus();
            QTest::keyClick(points, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(points, u"13"_s);
            e.fake.answers = {Answer::Cancel};
            e.click(u"cmdAvanti"_s);
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.template find<QLabel>(u"lblPosizione"_s)->text(), u"1"_s);
            break;
        }
        case Road::CountNotInNormalForm: {
            PlayerEditor e;
            PlayerRecord odd = player(u"Rossi Anna"_s);
            odd.Presenze = u"007"_s;
            e.write({odd, player(u"Verdi Luca"_s)});
            QVERIFY(e.open());
            leaveUntouched(e, u"txtPresenze"_s, Qt::Key_Return, u"7"_s);
            break;
        }
        case Road::PhotoNotStored: {
            PlayerEditor e;
            e.write({player(u"Rossi Anna"_s), player(u"Verdi Luca"_s)});
            QVERIFY(e.open());
            e.click(u"cmdUltimo"_s);
            e.screen.setPhoto(plainPicture({40, 50}, Qt::red));
            const fileFaults::Injected full({fileFaults::Fault::WriteFails, 0, photoStore::folderName});
            e.fake.answers = {Answer::Yes};
            e.click(u"cmdIndietro"_s);
            QCOMPARE(e.fake.messages.front().text, recordEditing::saveChangesQuestion);
            QCOMPARE(e.fake.messages.at(1).kind, MessageKind::Warning);
            QVERIFY(e.fake.messages.at(1).text.contains(u"non \u00E8 stato possibile salvare la foto"_s));
            QCOMPARE(e.position()->text(), u"2"_s);
            QCOMPARE(e.photo().size(), QSize(40, 50));
            break;
        }
        case Road::CancelFromList: {
            EditorFixture<TfrmSquadre, TeamRecord> e(Screen::TeamArchive, programFolder::teamArchiveName);
            e.write({team(u"Aquile"_s), team(u"Falchi"_s)});
            QVERIFY(e.open());
            e.click(u"cmdUltimo"_s);
            QTest::keyClicks(e.field(u"txtNote"_s), u"nota"_s);
            e.fake.answers = {Answer::Cancel, Answer::No};
            bool openAfterCancel = false;
            bool closedAfterNo = false;
            e.fake.onDialog = [&](QObject* dialog) {
                auto* list = qobject_cast<QDialog*>(dialog);
                list->show();
                widgets::doubleClickRow(list, 0);
                openAfterCancel = list->isVisible();
                widgets::doubleClickRow(list, 0);
                closedAfterNo = !list->isVisible();
            };
            e.click(u"cmdSelezionate"_s);
            QVERIFY(openAfterCancel);
            QVERIFY(closedAfterNo);
            QCOMPARE(e.fake.messages.size(), 2);
            QCOMPARE(e.template find<QLabel>(u"lblPosizione"_s)->text(), u"1"_s);
            break;
        }
        case Road::ImportOfAVanishedTeam: {
            EditorFixture<TfrmTorneo, TournamentRecord> e(Screen::TournamentEditor, u"Coppa.vai"_s);
            e.screen.setTournament(e.path, u"Coppa"_s);
            const QString teams = programFolder::file(programFolder::teamArchiveName);
            QVERIFY(archiveFiles::writeRecords(teams, QList<TeamRecord>{team(u"Lupi"_s)}));
            QVERIFY(e.open());
            e.fake.onDialog = [&](QObject* list) {
                QVERIFY(archiveFiles::writeRecords(teams, QList<TeamRecord>{}));
                widgets::doubleClickRow(list, 0);
            };
            e.click(u"impSquadra"_s);
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
            QCOMPARE(e.fake.lastMessage().text, recordEditing::recordGoneMessage);
            QCOMPARE(e.field(u"txtConcorrente"_s)->text(), QString());
            break;
        }
        }
    }
};

QTEST_MAIN(TestUnsavedChanges)
#include "tst_unsavedchanges.moc"
