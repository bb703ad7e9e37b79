// The calendar screen: results typed by keys, the filters, the question before leaving unsaved
// results, another station's change of the same match, removing a played match, and the entry
// editor's way in with its computed fields.
#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "matches/CalendarFile.h"
#include "matches/CalendarioGare.h"
#include "matches/MatchDelegate.h"
#include "matches/MatchTableModel.h"
#include "matches/NuovoCalendario.h"
#include "storage/TournamentRecord.h"
#include "tournament/Torneo.h"
#include "ArchiveFiles.h"
#include "EditorFixture.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

using namespace matches;
using platform::Answer;
using platform::MessageKind;

namespace {

Match match(int number, int round, const QString& group, int home, int away)
{
    Match m;
    m.number = number;
    m.round = round;
    m.group = group;
    m.home = home;
    m.away = away;
    m.date = QDate(2027, 5, 1).addDays(7 * (round - 1));
    m.time = QTime(20, 30);
    m.field = QStringLiteral("Comunale");
    return m;
}

Match played(Match m, int home, int away)
{
    m.homeGoals = home;
    m.awayGoals = away;
    m.status = Status::Giocata;
    return m;
}

// Four teams in two groups of two, twice, then a final between the groups' winners.
QList<Match> smallCalendar()
{
    Match final = match(5, 3, QString(), 0, 0);
    final.phase = Phase::Knockout;
    final.roundSize = 2;
    final.homeSource = QStringLiteral("1\u00B0 girone A");
    final.awaySource = QStringLiteral("1\u00B0 girone B");
    return {played(match(1, 1, QStringLiteral("A"), 1, 2), 1, 0), match(2, 1, QStringLiteral("B"), 3, 4),
            match(3, 2, QStringLiteral("A"), 2, 1), match(4, 2, QStringLiteral("B"), 4, 3), final};
}

struct Folder {
    FakePlatform fake;
    TempProgramFolder folder;
    const bool folderSet = (programFolder::set(folder.path()), true);
    QString path = folder.file(QStringLiteral("Coppa Estate.vai"));

    explicit Folder(const QList<Match>& matches = smallCalendar(), bool withCalendar = true)
    {
        QList<TournamentRecord> entries;
        for (const char* team : {"Aquile", "Bisonti", "Cervi", "Delfini"}) {
            TournamentRecord record;
            record.Concorrente = QString::fromLatin1(team);
            record.Punteggio = QStringLiteral("0,00");
            record.Completato = QStringLiteral("No");
            entries.append(record);
        }
        [&] { QVERIFY(archiveFiles::writeRecords(path, entries)); }();
        if (!withCalendar)
            return;
        StoredCalendar stored;
        stored.calendar.matches = matches;
        saveCalendar(path, stored);
    }

    Calendar onDisk() const { return readCalendar(path).calendar; }
};

// The screen as the entry editor opens it, once its reading has ended.
struct CalendarScreen {
    QWidget owner;
    TfrmCalendarioGare screen{&owner};

    explicit CalendarScreen(const QString& path)
    {
        screen.setTournament(path, QStringLiteral("Coppa Estate"));
        screen.show();
        QApplication::setActiveWindow(&screen);
        [&] { QTRY_VERIFY(!screen.isReading()); }();
    }

    QTableView* table() const { return widgets::find<QTableView>(&screen, QStringLiteral("lstGare")); }
    MatchTableModel* model() const { return screen.model(); }
    QComboBox* combo(const QString& name) const { return widgets::find<QComboBox>(&screen, name); }

    // The shown row of match `number`, with the focus on its cell in `column`.
    void select(int number, int column) const
    {
        const int row = model()->rowOf(number);
        QVERIFY(row >= 0);
        table()->setFocus();
        table()->setCurrentIndex(model()->index(row, column));
    }
    QWidget* focus() const { return QApplication::focusWidget(); }

    // Types a result into match `number` as a user does: the home goals, Tab, the away goals, Enter.
    void typeResult(int number, const QString& home, const QString& away) const
    {
        select(number, MatchTableModel::Result);
        QTest::keyClicks(table(), home);  // any key opens the cell with that key
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus()->objectName(), QStringLiteral("txtGolOspiti"));
        QTest::keyClicks(focus(), away);
        QTest::keyClick(focus(), Qt::Key_Return);
    }
    // After a result taken, the keys go to the table again (Down to the next match).
    void typeResultAndStay(int number, const QString& home, const QString& away) const
    {
        typeResult(number, home, away);
        QCOMPARE(focus(), static_cast<QWidget*>(table()));
    }
    QString cell(int number, int column) const
    {
        return model()->data(model()->index(model()->rowOf(number), column), Qt::DisplayRole).toString();
    }
    QList<int> shownNumbers() const
    {
        QList<int> numbers;
        for (int row = 0; row < model()->rowCount(); ++row)
            numbers.append(model()->matchAt(row).number);
        return numbers;
    }
};

}  // namespace

class TestCalendarScreen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableShowsTheMatchesByRound()
    {
        Folder f;
        CalendarScreen s(f.path);
        QCOMPARE(s.model()->rowCount(), 5);
        QCOMPARE(s.cell(1, MatchTableModel::Home), QStringLiteral("Aquile"));
        QCOMPARE(s.cell(1, MatchTableModel::Away), QStringLiteral("Bisonti"));
        QCOMPARE(s.cell(1, MatchTableModel::Result), QStringLiteral("1-0"));
        QCOMPARE(s.cell(1, MatchTableModel::Status), QStringLiteral("giocata"));
        QCOMPARE(s.cell(1, MatchTableModel::Date), QStringLiteral("01/05/2027"));
        QCOMPARE(s.cell(1, MatchTableModel::Time), QStringLiteral("20:30"));
        QCOMPARE(s.cell(2, MatchTableModel::Result), QString());
        QCOMPARE(s.cell(5, MatchTableModel::Round), QStringLiteral("Finale"));
        QCOMPARE(s.cell(5, MatchTableModel::Home), QStringLiteral("1\u00B0 girone A"));
        QCOMPARE(s.screen.findChild<QLabel*>(QStringLiteral("lblNome"))->text(), QStringLiteral("Calendario - Coppa Estate"));
        const auto tip = [&](const char* name) {
            return widgets::find<PictureButton>(&s.screen, QLatin1String(name))->toolTip();
        };
        QVERIFY(tip("cmdSalva").endsWith(QStringLiteral("Scorciatoia da tastiera: Ctrl+S")));
        QVERIFY(tip("cmdScambia").endsWith(QStringLiteral("Scorciatoia da tastiera: Ctrl+E")));
        QVERIFY(!s.model()->hasChanges());
    }

    void resultTypedAndSaved()
    {
        Folder f;
        CalendarScreen s(f.path);
        s.typeResultAndStay(2, QStringLiteral("3"), QStringLiteral("2"));
        QCOMPARE(s.cell(2, MatchTableModel::Result), QStringLiteral("3-2"));
        QCOMPARE(s.cell(2, MatchTableModel::Status), QStringLiteral("giocata"));
        QVERIFY(s.model()->hasChanges());
        // Nothing reaches the file before Salva.
        QCOMPARE(f.onDisk().match(2)->status, Status::DaGiocare);

        QTest::keyClick(s.table(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.fake.lastMessage().kind, MessageKind::Information);
        const Match saved = *f.onDisk().match(2);
        QCOMPARE(saved.homeGoals, 3);
        QCOMPARE(saved.awayGoals, 2);
        QCOMPARE(saved.status, Status::Giocata);
        QVERIFY(!s.model()->hasChanges());
        // The entries follow: Cervi's win gives it its points and its match line.
        const QList<TournamentRecord> entries = archiveFiles::readRecords<TournamentRecord>(f.path);
        QCOMPARE(entries.at(2).Punteggio, QStringLiteral("3,00"));
        QVERIFY(entries.at(2).Gare.contains(QStringLiteral("Delfini")));
        QCOMPARE(entries.at(3).Punteggio, QStringLiteral("0,00"));
    }

    void refusedResults_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("away");
        QTest::addColumn<bool>("finalDrawn");
        QTest::addColumn<QString>("message");
        QTest::newRow("away goals missing") << 2 << "3" << "" << false << badScoreMessage();
        QTest::newRow("a letter") << 2 << "3" << "x" << false << badScoreMessage();
        QTest::newRow("teams not known yet") << 5 << "1" << "0" << false << noTeamsYetMessage();
        QTest::newRow("knockout drawn") << 5 << "1" << "1" << true << knockoutUndecidedMessage();
    }

    void refusedResults()
    {
        QFETCH(int, number);
        QFETCH(QString, home);
        QFETCH(QString, away);
        QFETCH(bool, finalDrawn);
        QFETCH(QString, message);
        QList<Match> matches = smallCalendar();
        if (finalDrawn) {
            matches[4].home = 1;
            matches[4].away = 3;
        }
        Folder f(matches);
        CalendarScreen s(f.path);
        s.typeResult(number, home, away);
        QCOMPARE(f.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(f.fake.lastMessage().text, message);
        // The cell stays open with what was typed, and the match as it was.
        QVERIFY(qobject_cast<QLineEdit*>(s.focus()));
        QCOMPARE(s.cell(number, MatchTableModel::Result), QString());
        QVERIFY(!s.model()->hasChanges());
    }

    void knockoutSettledOnPenalties()
    {
        QList<Match> matches = smallCalendar();
        matches[4].home = 1;
        matches[4].away = 3;
        Folder f(matches);
        CalendarScreen s(f.path);
        s.select(5, MatchTableModel::Result);
        QTest::keyClicks(s.table(), QStringLiteral("1"));
        for (const char* typed : {"1", "0", "0", "5", "4"}) {
            QTest::keyClick(s.focus(), Qt::Key_Tab);
            QTest::keyClicks(s.focus(), QLatin1String(typed));
        }
        QCOMPARE(s.focus()->objectName(), QStringLiteral("txtRigoriOspiti"));
        QTest::keyClick(s.focus(), Qt::Key_Enter);
        QCOMPARE(s.cell(5, MatchTableModel::Result), QStringLiteral("1-1 (5-4 rig.)"));
        QCOMPARE(s.model()->matchAt(s.model()->rowOf(5)).winner(), Side::Home);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("round 2") << "cboGiornata" << "2" << QList<int>{3, 4};
        QTest::newRow("final") << "cboGiornata" << "3 - Finale" << QList<int>{5};
        QTest::newRow("team") << "cboSquadra" << "Cervi" << QList<int>{2, 4};
        QTest::newRow("group") << "cboGirone" << "A" << QList<int>{1, 3};
        QTest::newRow("status") << "cboStato" << "giocata" << QList<int>{1};
        QTest::newRow("every team") << "cboSquadra" << "Tutte" << QList<int>{1, 2, 3, 4, 5};
    }

    void filters()
    {
        QFETCH(QString, combo);
        QFETCH(QString, choice);
        QFETCH(QList<int>, shown);
        Folder f;
        CalendarScreen s(f.path);
        QComboBox* box = s.combo(combo);
        const int index = box->findText(choice);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
        QCOMPARE(s.shownNumbers(), shown);
    }

    void changesKeptAcrossFilters()
    {
        Folder f;
        CalendarScreen s(f.path);
        s.typeResult(4, QStringLiteral("0"), QStringLiteral("2"));
        s.combo(QStringLiteral("cboGiornata"))->setCurrentIndex(1);
        s.combo(QStringLiteral("cboGiornata"))->setCurrentIndex(0);
        QCOMPARE(s.cell(4, MatchTableModel::Result), QStringLiteral("0-2"));
        QVERIFY(s.model()->hasChanges());
    }

    void leavingWithUnsavedResults_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("Sì saves and leaves") << Answer::Yes << true << true;
        QTest::newRow("No leaves without saving") << Answer::No << true << false;
        QTest::newRow("Annulla stays") << Answer::Cancel << false << false;
    }

    void leavingWithUnsavedResults()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        Folder f;
        CalendarScreen s(f.path);
        s.typeResult(2, QStringLiteral("1"), QStringLiteral("1"));
        f.fake.answers = {answer};
        QTest::keyClick(s.table(), Qt::Key_Escape);
        const auto question = std::find_if(f.fake.messages.begin(), f.fake.messages.end(), [](const ShownMessage& m) {
            return m.kind == MessageKind::Question;
        });
        QVERIFY(question != f.fake.messages.end());
        QCOMPARE(question->text, TfrmCalendarioGare::leaveQuestion);
        QVERIFY(question->choices.cancel);
        QCOMPARE(s.screen.isVisible(), !closed);
        QCOMPARE(f.onDisk().match(2)->status == Status::Giocata, written);
        QCOMPARE(s.cell(2, MatchTableModel::Result), QStringLiteral("1-1"));
    }

    void leavingWithoutChangesAsksNothing()
    {
        Folder f;
        CalendarScreen s(f.path);
        QTest::keyClick(s.table(), Qt::Key_Escape);
        QVERIFY(!s.screen.isVisible());
        QVERIFY(f.fake.messages.isEmpty());
    }

    void anotherStationsChange_data()
    {
        QTest::addColumn<int>("theirs");
        QTest::addColumn<bool>("conflict");
        QTest::newRow("another match: both kept") << 4 << false;
        QTest::newRow("the same match: a conflict") << 2 << true;
    }

    void anotherStationsChange()
    {
        QFETCH(int, theirs);
        QFETCH(bool, conflict);
        Folder f;
        CalendarScreen s(f.path);
        // The other station saves its result after this screen read the calendar.
        StoredCalendar other = readCalendar(f.path);
        *other.calendar.match(theirs) = played(*other.calendar.match(theirs), 4, 4);
        saveCalendar(f.path, other);

        s.typeResult(2, QStringLiteral("2"), QStringLiteral("0"));
        f.fake.answers = {Answer::Yes};
        QTest::mouseClick(widgets::find<PictureButton>(&s.screen, QStringLiteral("cmdSalva")), Qt::LeftButton);
        const Calendar disk = f.onDisk();
        QCOMPARE(disk.match(theirs)->homeGoals, 4);
        if (!conflict) {
            QCOMPARE(disk.match(2)->homeGoals, 2);
            QCOMPARE(f.fake.lastMessage().kind, MessageKind::Information);
            return;
        }
        QCOMPARE(f.fake.lastMessage().kind, MessageKind::Question);
        QCOMPARE(f.fake.lastMessage().text, TfrmCalendarioGare::conflictQuestion);
        // Sì shows the calendar as the file now holds it.
        QTRY_VERIFY(!s.screen.isReading());
        QCOMPARE(s.cell(2, MatchTableModel::Result), QStringLiteral("4-4"));
        QVERIFY(!s.model()->hasChanges());
    }

    void movingSwappingAddingRemoving()
    {
        Folder f;
        CalendarScreen s(f.path);
        // A date that does not exist is refused.
        s.select(2, MatchTableModel::Date);
        QTest::keyClick(s.table(), Qt::Key_F2);
        auto* date = qobject_cast<QLineEdit*>(s.focus());
        QVERIFY(date);
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("31/02/2027"));
        QTest::keyClick(date, Qt::Key_Return);  // the cell takes it once the key is handled
        QTRY_COMPARE(f.fake.lastMessage().text, MatchTableModel::dateMessage);
        QCOMPARE(s.cell(2, MatchTableModel::Date), QStringLiteral("01/05/2027"));

        s.select(2, MatchTableModel::Date);
        QTest::keyClick(s.table(), Qt::Key_F2);
        date = qobject_cast<QLineEdit*>(s.focus());
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("03/05/2027"));
        QTest::keyClick(date, Qt::Key_Return);
        QTRY_COMPARE(s.cell(2, MatchTableModel::Date), QStringLiteral("03/05/2027"));

        s.select(2, MatchTableModel::Home);
        QTest::keyClick(s.table(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(s.cell(2, MatchTableModel::Home), QStringLiteral("Delfini"));

        // A played match goes only after a question; No keeps it.
        s.select(1, MatchTableModel::Result);
        f.fake.answers = {Answer::No};
        QTest::keyClick(s.table(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.fake.lastMessage().text, TfrmCalendarioGare::removePlayedQuestion(1));
        QCOMPARE(f.fake.lastMessage().choices.preset, Answer::No);
        QVERIFY(s.model()->rowOf(1) >= 0);
        // One still to play goes at once.
        const int before = int(f.fake.messages.size());
        s.select(3, MatchTableModel::Result);
        QTest::keyClick(s.table(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.fake.messages.size(), before);
        QCOMPARE(s.model()->rowOf(3), -1);

        s.select(4, MatchTableModel::Result);
        QTest::keyClick(s.table(), Qt::Key_N, Qt::ControlModifier);
        const Match added = s.model()->matchAt(s.model()->rowOf(6));
        QCOMPARE(added.round, 2);
        QCOMPARE(added.group, QStringLiteral("B"));

        QVERIFY(s.screen.save());
        const Calendar disk = f.onDisk();
        QCOMPARE(disk.match(2)->date, QDate(2027, 5, 3));
        QCOMPARE(disk.match(2)->home, 4);
        QVERIFY(!disk.match(3));
        QVERIFY(disk.match(6));
        QVERIFY(disk.match(1));
    }

    void newCalendarWrittenOnlyOnConfirmation()
    {
        Folder f({}, false);
        QWidget owner;
        TfrmNuovoCalendario screen(&owner);
        screen.setTournament(f.path, QStringLiteral("Coppa Estate"));
        screen.show();
        QApplication::setActiveWindow(&screen);
        auto* format = widgets::find<QComboBox>(&screen, QStringLiteral("cboFormato"));
        format->setCurrentIndex(format->findText(QStringLiteral("Gironi, poi eliminazione diretta")));
        widgets::find<QSpinBox>(&screen, QStringLiteral("spnQualificate"))->setValue(1);
        auto* start = widgets::find<QLineEdit>(&screen, QStringLiteral("txtInizio"));
        QTest::keyClicks(start, QStringLiteral("01/06/2027"));

        // Conferma without a preview shows the calendar first.
        QTest::keyClick(start, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(screen.hasPreview());
        QCOMPARE(f.fake.lastMessage().text, TfrmNuovoCalendario::previewFirstMessage);
        QVERIFY(!hasCalendar(f.path));
        // Two groups of two, each once, then the final of the two winners.
        QCOMPARE(screen.model()->rowCount(), 3);
        QCOMPARE(screen.model()->matchAt(0).date, QDate(2027, 6, 1));
        QVERIFY(screen.model()->matchAt(2).isKnockout());

        // A choice changed takes the preview away; a date that does not exist is refused.
        QTest::keyClick(start, Qt::Key_Backspace);
        QVERIFY(!screen.hasPreview());
        QCOMPARE(screen.model()->rowCount(), 0);
        QTest::keyClick(start, Qt::Key_F5);
        QCOMPARE(f.fake.lastMessage().text, MatchTableModel::dateMessage);
        QVERIFY(!screen.hasPreview());
        QTest::keyClicks(start, QStringLiteral("8"));
        QTest::keyClick(start, Qt::Key_F5);
        QVERIFY(screen.hasPreview());
        QVERIFY(!hasCalendar(f.path));

        QTest::keyClick(start, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.fake.lastMessage().text, TfrmNuovoCalendario::writtenMessage(3));
        const Calendar disk = f.onDisk();
        QCOMPARE(disk.matches.size(), 3);
        QCOMPARE(disk.draw.size(), 4);
        QCOMPARE(disk.matches.first().date, QDate(2028, 6, 1));  // the date as corrected
        QVERIFY(!screen.isVisible());
    }

    void newCalendarReplacesOnlyAfterAQuestion()
    {
        Folder f;
        QWidget owner;
        TfrmNuovoCalendario screen(&owner);
        screen.setTournament(f.path, QStringLiteral("Coppa Estate"));
        QVERIFY(screen.preview());
        f.fake.answers = {Answer::No};
        QVERIFY(!screen.confirm());
        QCOMPARE(f.fake.lastMessage().text, TfrmNuovoCalendario::replaceQuestion(5));
        QCOMPARE(f.fake.lastMessage().choices.preset, Answer::No);
        QCOMPARE(f.onDisk().matches.size(), 5);
        QCOMPARE(f.onDisk().match(1)->homeGoals, 1);
        f.fake.answers = {Answer::Yes};
        QVERIFY(screen.confirm());
        // A round robin of four: six matches, numbered after the ones given before.
        QCOMPARE(f.onDisk().matches.size(), 6);
        QCOMPARE(f.onDisk().matches.first().number, 6);
    }

    void entryEditorLeadsToTheCalendar()
    {
        Folder f;
        Navigator navigator;
        TfrmTorneo editor(navigator);
        editor.setTournament(f.path, QStringLiteral("Coppa Estate"));
        // The entries were behind the calendar's played match: opening wrote them again.
        QCOMPARE(archiveFiles::readRecords<TournamentRecord>(f.path).first().Punteggio, QStringLiteral("3,00"));
        auto* button = widgets::find<PictureButton>(&editor, QStringLiteral("cmdCalendario"));
        QVERIFY(button->toolTip().endsWith(QStringLiteral("Scorciatoia da tastiera: Ctrl+G")));
        // The calendar's results give the points: the computed fields are not typed in.
        QVERIFY(widgets::find<QLineEdit>(&editor, QStringLiteral("txtPunteggio"))->isReadOnly());
        QVERIFY(widgets::find<QPlainTextEdit>(&editor, QStringLiteral("txtGare"))->isReadOnly());
        QVERIFY(!widgets::find<QCheckBox>(&editor, QStringLiteral("chkCompletato"))->isEnabled());
        QVERIFY(!widgets::find<QLabel>(&editor, QStringLiteral("lblCalcolati"))->isHidden());

        f.fake.onDialog = [&](QObject* dialog) {
            auto* calendar = qobject_cast<TfrmCalendarioGare*>(dialog);
            QVERIFY(calendar);
            QTRY_VERIFY(!calendar->isReading());
            QCOMPARE(calendar->model()->rowCount(), 5);
        };
        editor.show();
        QApplication::setActiveWindow(&editor);
        QTest::keyClick(&editor, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(f.fake.dialogsRun, QStringList{QStringLiteral("TfrmCalendarioGare")});

        // Without a calendar everything is typed as before.
        TempProgramFolder other;
        editor.setTournament(other.file(QStringLiteral("Altro.vai")), QStringLiteral("Altro"));
        QVERIFY(!widgets::find<QLineEdit>(&editor, QStringLiteral("txtPunteggio"))->isReadOnly());
        QVERIFY(widgets::find<QCheckBox>(&editor, QStringLiteral("chkCompletato"))->isEnabled());
        QVERIFY(widgets::find<QLabel>(&editor, QStringLiteral("lblCalcolati"))->isHidden());
    }
};

QTEST_MAIN(TestCalendarScreen)
#include "tst_calendarscreen.moc"
