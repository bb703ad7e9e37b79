// The calendar screens as a secretary uses them: a new calendar shown before it is written,
// results typed in the table and saved into the calendar and the entries, the question on leaving
// with changes, a conflict with another station, the prints, and the entry editor's computed fields.
#include "FakePlatform.h"

#include "matches/CalendarFile.h"
#include "matches/CalendarModel.h"
#include "matches/CalendarioTorneo.h"
#include "matches/NuovoCalendario.h"
#include "matches/Results.h"
#include "matches/RoundRobin.h"
#include "matches/WriteBack.h"
#include "storage/TournamentRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace matches;

class TestCalendarScreens : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QByteArray entries;
        for (const QString& name : {u"Leoni"_qs, u"Aquile"_qs, u"Tigri"_qs, u"Falchi"_qs, u"Lupi"_qs}) {
            TournamentRecord record;
            record.Concorrente = name;
            record.Punteggio = u"0,00"_qs;
            entries += record.toBytes();
        }
        QFile file(tournament());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entries);
    }

    void newCalendarIsShownBeforeItIsWritten()
    {
        FakePlatform fake;
        TfrmNuovoCalendario screen;
        screen.setTournament(tournament(), entryNames(tournament()), readCalendar(tournament()));
        QVERIFY(screen.preview().error.isEmpty());
        QCOMPARE(screen.preview().calendar.matches.size(), 15);  // 5 rounds of two matches and a rest
        QVERIFY(!hasCalendar(tournament()));

        auto* format = screen.findChild<QComboBox*>(u"cboFormula"_qs);
        format->setCurrentIndex(int(Format::Groups));
        QVERIFY(screen.preview().error.isEmpty());
        const QList<GroupSlot> draw = screen.preview().calendar.draw;
        QCOMPARE(draw.size(), 5);
        // Another change keeps the draw shown.
        screen.findChild<QComboBox*>(u"cboRitorno"_qs)->setCurrentIndex(1);
        QCOMPARE(screen.preview().calendar.draw, draw);
        screen.findChild<QPushButton*>(u"cmdCrea"_qs)->click();
        QVERIFY(hasCalendar(tournament()));
        const Calendar written = readCalendar(tournament()).calendar;
        QCOMPARE(written.draw.size(), 5);
        QCOMPARE(written.matches.size(), screen.preview().calendar.matches.size());
        QVERIFY(fake.messages.isEmpty());

        // Too many groups: the reason is shown and nothing can be written.
        TfrmNuovoCalendario again;
        again.setTournament(tournament(), entryNames(tournament()), readCalendar(tournament()));
        QVERIFY(again.preview().drawReused);
        again.findChild<QSpinBox*>(u"spnGironi"_qs)->setValue(3);
        QCOMPARE(again.preview().error, drawDiffersMessage(2));
        QVERIFY(!again.create());
        QCOMPARE(fake.lastMessage().text, drawDiffersMessage(2));
    }

    void resultsTypedInTheTableAreSaved()
    {
        makeRoundRobin();
        FakePlatform fake;
        TfrmCalendarioTorneo screen;
        screen.setTournament(tournament(), u"Coppa"_qs);
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        screen.reload();
        auto* table = screen.findChild<QTableView*>(u"tblGare"_qs);
        auto* model = static_cast<CalendarModel*>(table->model());
        const int row = firstPlayableRow(model);
        const int number = model->matchAt(row)->number;

        // Home goals, Tab to the away goals, Enter to confirm.
        table->setCurrentIndex(model->index(row, CalendarModel::HomeGoals));
        table->setFocus();
        QTest::keyClicks(table, u"3"_qs);
        QTest::keyClick(table->focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(table->focusWidget(), u"1"_qs);
        QTest::keyClick(table->focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // the view commits an edit confirmed by Enter from its event queue
        QCOMPARE(model->matchAt(row)->homeGoals, 3);
        QCOMPARE(model->matchAt(row)->awayGoals, 1);
        QCOMPARE(model->matchAt(row)->status, Status::Giocata);
        QVERIFY(screen.isModified());

        // A result that is not a number is refused with its message.
        QVERIFY(!model->setData(model->index(row, CalendarModel::AwayGoals), u"x"_qs, Qt::EditRole));
        QCOMPARE(fake.lastMessage().text, badScoreMessage());

        QVERIFY(screen.save());
        const Calendar saved = readCalendar(tournament()).calendar;
        QCOMPARE(saved.match(number)->homeGoals, 3);
        const int winner = saved.match(number)->home;
        const QByteArray entries = readAll(tournament());
        QCOMPARE(QByteArray(entries.constData() + (winner - 1) * TournamentRecord::Size
                            + TournamentRecord::Layout.offsetOf("Punteggio")),
                 QByteArray("3,00"));
        QVERIFY(!screen.isModified());
    }

    void leavingWithChangesAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("yes saves") << int(platform::Answer::Yes) << true << true;
        QTest::newRow("no drops") << int(platform::Answer::No) << true << false;
        QTest::newRow("cancel stays") << int(platform::Answer::Cancel) << false << false;
    }

    void leavingWithChangesAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        makeRoundRobin();
        FakePlatform fake;
        fake.answers = {platform::Answer(answer)};
        TfrmCalendarioTorneo screen;
        screen.setTournament(tournament(), u"Coppa"_qs);
        screen.show();
        screen.reload();
        auto* model = static_cast<CalendarModel*>(screen.findChild<QTableView*>(u"tblGare"_qs)->model());
        const int row = firstPlayableRow(model);
        QVERIFY(model->setData(model->index(row, CalendarModel::State), u"rinviata"_qs, Qt::EditRole));
        screen.findChild<QPushButton*>(u"cmdEsci"_qs)->click();
        QCOMPARE(fake.lastMessage().text, TfrmCalendarioTorneo::saveQuestion());
        QCOMPARE(screen.isVisible(), !closed);
        QCOMPARE(readCalendar(tournament()).calendar.match(model->matchAt(row)->number)->status == Status::Rinviata,
                 written);
    }

    void anotherStationsChangeIsAConflict()
    {
        makeRoundRobin();
        FakePlatform fake;
        fake.answers = FakePlatform::yesNo({true});
        TfrmCalendarioTorneo screen;
        screen.setTournament(tournament(), u"Coppa"_qs);
        screen.reload();
        auto* model = static_cast<CalendarModel*>(screen.findChild<QTableView*>(u"tblGare"_qs)->model());
        const int row = firstPlayableRow(model);
        const int number = model->matchAt(row)->number;
        // Another station records the same match meanwhile.
        StoredCalendar other = readCalendar(tournament());
        QVERIFY(recordResult(other.calendar, number, {0, 0}, 5).isEmpty());
        saveAndWriteBack(tournament(), other);

        QVERIFY(model->setData(model->index(row, CalendarModel::HomeGoals), u"2"_qs, Qt::EditRole));
        QVERIFY(!screen.save());
        QCOMPARE(fake.lastMessage().text, TfrmCalendarioTorneo::conflictQuestion());
        // Shown again as it is now: the other station's result.
        QCOMPARE(model->matchAt(row)->homeGoals, 0);
        QCOMPARE(readCalendar(tournament()).calendar.match(number)->homeGoals, 0);
    }

    void filtersAndPrints()
    {
        makeRoundRobin();
        FakePlatform fake;
        TfrmCalendarioTorneo screen;
        screen.setTournament(tournament(), u"Coppa"_qs);
        screen.reload();
        auto* model = static_cast<CalendarModel*>(screen.findChild<QTableView*>(u"tblGare"_qs)->model());
        QCOMPARE(model->rowCount(), 15);
        auto* team = screen.findChild<QComboBox*>(u"cboSquadra"_qs);
        team->setCurrentIndex(team->findText(u"Tigri"_qs));
        QCOMPARE(model->rowCount(), 5);  // four matches and a rest
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY(model->matchAt(row)->involves(3));

        // One round's results need a round.
        screen.findChild<QPushButton*>(u"cmdStampaGiornata"_qs)->click();
        QVERIFY(fake.printJobs.isEmpty());
        auto* round = screen.findChild<QComboBox*>(u"cboGiornata"_qs);
        round->setCurrentIndex(1);
        screen.findChild<QPushButton*>(u"cmdStampaGiornata"_qs)->click();
        screen.findChild<QPushButton*>(u"cmdStampa"_qs)->click();
        QCOMPARE(fake.printJobs.size(), 2);
        QCOMPARE(fake.printJobs.first().document.title, u"Risultati Giornata 1 - Coppa"_qs);
    }

    void playedMatchIsRemovedOnlyAfterTheQuestion()
    {
        makeRoundRobin();
        StoredCalendar stored = readCalendar(tournament());
        const int played = stored.calendar.matches[1].number;
        QVERIFY(recordResult(stored.calendar, played, {1, 0}, 5).isEmpty());
        saveAndWriteBack(tournament(), stored);

        FakePlatform fake;
        fake.answers = FakePlatform::yesNo({false, true});
        TfrmCalendarioTorneo screen;
        screen.setTournament(tournament(), u"Coppa"_qs);
        screen.reload();
        auto* table = screen.findChild<QTableView*>(u"tblGare"_qs);
        auto* model = static_cast<CalendarModel*>(table->model());
        int row = 0;
        while (model->matchAt(row)->number != played)
            ++row;
        table->setCurrentIndex(model->index(row, 0));
        screen.findChild<QPushButton*>(u"cmdElimina"_qs)->click();
        QCOMPARE(fake.lastMessage().text, TfrmCalendarioTorneo::removePlayedQuestion(played));
        QCOMPARE(fake.lastMessage().choices.preset, platform::Answer::No);
        QCOMPARE(model->rowCount(), 15);
        screen.findChild<QPushButton*>(u"cmdElimina"_qs)->click();
        QCOMPARE(model->rowCount(), 14);
        QVERIFY(screen.save());
        QVERIFY(!readCalendar(tournament()).calendar.match(played));

        // Swapping a match swaps its teams and what belongs to each.
        table->setCurrentIndex(model->index(1, 0));
        const Match before = *model->matchAt(1);
        screen.findChild<QPushButton*>(u"cmdInverti"_qs)->click();
        QCOMPARE(model->matchAt(1)->home, before.away);
        QCOMPARE(model->matchAt(1)->away, before.home);
    }

private:
    QString tournament() const { return m_dir->filePath(u"Coppa.vai"_qs); }
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void makeRoundRobin()
    {
        StoredCalendar stored;
        stored.calendar.matches = roundRobin({1, 2, 3, 4, 5}, ReturnLeg::None);
        saveAndWriteBack(tournament(), stored);
    }
    static int firstPlayableRow(const CalendarModel* model)
    {
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!model->matchAt(row)->isRest())
                return row;
        }
        return -1;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestCalendarScreens)
#include "tst_calendarscreens.moc"
