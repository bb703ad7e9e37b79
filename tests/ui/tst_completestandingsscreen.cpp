// The complete standings screen: opened from the standings chooser on a tournament with a
// calendar, in the standings' order with the reasons on the rows and under the table, sortable,
// the home half and the cross table, printed through the report engine, the draw it needs made
// once and kept, and the page published beside the tournament.
#include "standings/ClassificaCompleta.h"

#include "CalendarFixture.h"
#include "FakePlatform.h"

#include "matches/CalendarFile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

QStringList column(QTableView* table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts.append(table->model()->index(row, column).data().toString());
    return texts;
}

}  // namespace

class TestCompleteStandingsScreen : public QObject {
    Q_OBJECT

private slots:
    void showsSortsPrintsAndPublishes()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        const QString tournament = folder.file("Coppa Estate.vai");
        QVERIFY(calendarFixture::writeTournament(tournament));
        TfrmClassificaCompleta screen;
        QVERIFY(screen.setTournament(tournament));
        QVERIFY(fake.messages.isEmpty());
        auto* table = screen.findChild<QTableView*>("tblClassifica");
        QCOMPARE(table->model()->rowCount(), 9);
        QCOMPARE(column(table, 1).mid(0, 3), (QStringList{"Bisonti", "Cervi", "Aquile"}));
        QCOMPARE(table->model()->index(0, 0).data(Qt::ToolTipRole).toString(), "Bisonti davanti a Cervi: scontri diretti 3\u20130");
        QVERIFY(screen.findChild<QLabel*>("lblMotivi")->text().contains("Aquile dietro a Cervi"));
        // The draw the six level teams needed is kept: the same order when opened again.
        QCOMPARE(matches::readCalendar(tournament).calendar.lots.size(), 1);
        const QStringList order = column(table, 1);
        TfrmClassificaCompleta again;
        QVERIFY(again.setTournament(tournament));
        QCOMPARE(column(again.findChild<QTableView*>("tblClassifica"), 1), order);

        // Sorted by goals against, most first; then back to the standings' order.
        table->sortByColumn(8, Qt::DescendingOrder);
        QCOMPARE(column(table, 1).first(), "Aquile");
        table->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(column(table, 1), order);

        // The home half and the cross table.
        auto* view = screen.findChild<QComboBox*>("cmbVista");
        view->setCurrentIndex(1);
        QCOMPARE(table->model()->index(0, 3).data().toString(), "1");  // one home match each
        view->setCurrentIndex(3);
        QCOMPARE(table->model()->columnCount(), 10);
        QCOMPARE(table->model()->index(0, 2).data().toString(), "1-0");  // Aquile at home to Bisonti
        view->setCurrentIndex(0);

        screen.findChild<QPushButton*>("cmdStampa")->click();
        QCOMPARE(fake.printed().size(), 1);
        const QList<report::PreparedReport> printed = fake.printed();
        const auto& page = printed.last().pages.first();
        QCOMPARE(page.itemsNamed("txtTitolo").first()->text(), "Classifica completa Coppa Estate");
        const QStringList lines = page.itemsNamed("txtRiepilogo").first()->lines;
        QVERIFY(lines.value(1).startsWith("  1 Bisonti"));
        QVERIFY(lines.contains("Bisonti davanti a Cervi: scontri diretti 3\u20130"));

        fake.answers = FakePlatform::yesNo({true});
        screen.findChild<QPushButton*>("cmdPubblica")->click();
        QCOMPARE(fake.lastMessage().kind, platform::MessageKind::Information);
        const QString published = TfrmClassificaCompleta::publishFolder(tournament);
        QCOMPARE(published, folder.file("Coppa Estate - pagina web"));
        QVERIFY(QFile::exists(published + "/index.html"));
        QVERIFY(QFile::exists(published + "/calendario.ics"));
    }

    void withoutCalendarSaysSo()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        const QString tournament = folder.file("Senza.vai");
        QFile file(tournament);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        TfrmClassificaCompleta screen;
        QVERIFY(!screen.setTournament(tournament));
        QVERIFY(fake.lastMessage().text.contains("non ha un calendario"));
        QVERIFY(!QFile::exists(matches::calendarPath(tournament)));
    }
};

QTEST_MAIN(TestCompleteStandingsScreen)
#include "tst_completestandingsscreen.moc"
