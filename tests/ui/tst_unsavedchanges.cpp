// Unsaved changes in the three real editors: a note typed on the second record and then a command
// that leaves it, one row per editor, checked by the screen and by the archive's bytes. The
// commands themselves, in every combination, are the shared editor's (tst_editorcommands).
#include "app/ProgramFolder.h"
#include "editor/RecordEditing.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "teams/Squadre.h"
#include "tournament/Torneo.h"
#include "player_editor.h"

#include <QLabel>
#include <QtTest>

using platform::Answer;
using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

enum class Kind { Tournament, Team, Player };
enum class How { PreviousKey, Import, OpenFromList, Escape };

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
    case How::Import:
        e.click(u"impSquadra"_s);
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

}  // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(How)
Q_DECLARE_METATYPE(Answer)

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
        QTest::newRow("tournament: import, No") << Kind::Tournament << How::Import << Answer::No << u"2"_s << false << false;
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
            // The import wrote the team's name into the entry, which keeps its note.
            if (how == How::Import)
                QCOMPARE(e.field(u"txtConcorrente"_s)->text(), u"Lupi"_s);
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
};

QTEST_MAIN(TestUnsavedChanges)
#include "tst_unsavedchanges.moc"
