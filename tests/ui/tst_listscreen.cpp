// What the record list screens share and the report preview: the double-click that hands over
// exactly the row's record, Enter in the find field, printing without checks, and the preview's
// print, zoom, full screen and close.
#include "common/PictureButton.h"
#include "output/Anteprima.h"
#include "output/ListSummary.h"
#include "output/RecordListScreen.h"
#include "output/RecordTable.h"
#include "FakePlatform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QPushButton>
#include <QScrollArea>
#include <QtTest>

namespace {

// A list screen as the archive searches will be: rows leading to an editor.
class SampleList final : public RecordListScreen {
public:
    explicit SampleList(QWidget* owner = nullptr)
        : RecordListScreen(owner, {ListKind::TeamSearch, QStringLiteral("frmProva"), QStringLiteral(" Prova"), {820, 480},
                                   false, QStringLiteral("stampa")})
    {
        list()->setGeometry(10, 60, 800, 300);
        findField()->setGeometry(10, 10, 300, 34);
        findButton()->move(320, 4);
        printButton()->move(10, 380);
        enableRecordOpening();
        enableEnterToFind();
        connect(printButton(), &PictureButton::clicked, this,
                [this] { printRows(QStringLiteral("Riepilogo squadre")); });
    }
    using RecordListScreen::list;
    using RecordListScreen::setRows;
};

}  // namespace

class TestListScreen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two records give the same row: each row still opens its own record, by a double-click or
    // by Enter on the selected row.
    void doubleClickOpensThatRecord_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("first of two equal rows") << 0 << qint64(4) << false;
        QTest::newRow("second of two equal rows") << 1 << qint64(9) << false;
        QTest::newRow("another row") << 2 << qint64(1) << false;
        QTest::newRow("second of two equal rows, Enter") << 1 << qint64(9) << true;
        QTest::newRow("another row, Enter") << 2 << qint64(1) << true;
    }
    void doubleClickOpensThatRecord()
    {
        QFETCH(int, row);
        QFETCH(qint64, position);
        QFETCH(bool, byEnter);
        FakePlatform fake;
        SampleList screen;
        screen.setRows({{"Aquile  Resp. Rossi", 4}, {"Aquile  Resp. Rossi", 9}, {"Leoni", 1}});
        screen.show();
        QSignalSpy opened(&screen, &RecordListScreen::recordOpened);
        QTableView* list = screen.list();
        const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        if (byEnter)
            QTest::keyClick(list, Qt::Key_Return);
        else
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().toLongLong(), position);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Accepted));
    }

    // Where no row is, a double-click closes the screen as a failed opening does: nothing is
    // handed to the editor.
    void doubleClickWhereNoRowIs_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("below the last row") << 2;
        QTest::newRow("empty list") << 0;
    }
    void doubleClickWhereNoRowIs()
    {
        QFETCH(int, rows);
        FakePlatform fake;
        SampleList screen;
        QList<ListRow> list;
        for (int i = 1; i <= rows; ++i)
            list.append({QStringLiteral("Squadra %1").arg(i), i});
        screen.setRows(list);
        screen.show();
        QSignalSpy opened(&screen, &RecordListScreen::recordOpened);
        QTableView* table = screen.list();
        const QPoint below(20, table->viewport()->height() - 10);
        QVERIFY(!table->indexAt(below).isValid());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(opened.size(), 0);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Rejected));
    }

    void enterInTheFindFieldGoesToTheButton()
    {
        FakePlatform fake;
        SampleList screen;
        screen.setRows({{"ALFA", 1}, {"beta", 2}});
        screen.show();
        QApplication::setActiveWindow(&screen);
        auto* field = screen.findChild<QLineEdit*>(QStringLiteral("txtTrova"));
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("beta"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(screen.focusWidget()->objectName(), QStringLiteral("btnTrova"));
        QCOMPARE(screen.selectedRow(), -1);  // Enter does not search
        QTest::keyClick(screen.focusWidget(), Qt::Key_Space);  // the button, pressed
        QCOMPARE(screen.selectedRow(), 1);
    }

    // The lists print without asking; an empty one prints the title and the footer.
    void printingTheList_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("a hundred rows") << 100 << 2;
    }
    void printingTheList()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        FakePlatform fake;
        SampleList screen;
        QList<ListRow> list;
        for (int i = 1; i <= rows; ++i)
            list.append({QStringLiteral("Squadra %1").arg(i), i});
        screen.setRows(list);
        screen.show();
        QTest::mouseClick(screen.findChild<PictureButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(fake.printed().size(), 1);
        const report::PreparedReport document = fake.printed().first();
        // The printed title names the document and the suggested PDF, not the screen's inner name.
        QCOMPARE(document.title, QStringLiteral("Riepilogo squadre"));
        QCOMPARE(document.pages.size(), pages);
        QCOMPARE(document.pages.first().orientation, QPageLayout::Landscape);
        // Every row once, in order, across the pages.
        QStringList printedRows;
        for (const report::PreparedPage& page : document.pages) {
            for (const report::Object* item : page.itemsNamed(QStringLiteral("txtRiepilogo")))
                printedRows += item->lines;
        }
        QStringList expected;
        for (const ListRow& row : list)
            expected.append(row.text);
        QCOMPARE(printedRows, expected);
        QCOMPARE(fake.printJobs.first().fileName, QStringLiteral("Riepilogo squadre.pdf"));
    }

    void preview()
    {
        FakePlatform fake;
        QStringList lines;
        for (int i = 1; i <= 100; ++i)
            lines.append(QStringLiteral("riga %1").arg(i));
        TfrmAnteprima preview;
        preview.setDocument(report::prepare(listSummary::make(QStringLiteral("Riepilogo dati"), QStringLiteral("Titolo"), lines)));
        preview.show();

        QWidget* pages = preview.findChild<QScrollArea*>(QStringLiteral("scrPagine"))->widget();
        const QSize at100 = pages->size();
        // Two landscape pages one under the other.
        QVERIFY2(at100.height() > 2 * 794 && at100.height() < 3 * 794, qPrintable(QString::number(at100.height())));
        QVERIFY(at100.width() > 1123 && at100.width() < 1300);
        auto* zoom = preview.findChild<QComboBox*>(QStringLiteral("cmbZoom"));
        zoom->setCurrentIndex(zoom->findText(QStringLiteral("50%")));
        QCOMPARE(preview.zoom(), 0.5);
        QVERIFY(pages->height() < at100.height() / 2 + 40);

        QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
        QCOMPARE(fake.printed().size(), 1);
        QCOMPARE(fake.printed().first().pages.size(), 2);
        QCOMPARE(fake.printed().first().pages.last().itemsNamed(QStringLiteral("txtRiepilogo")).first()->lines.last(),
                 QStringLiteral("riga 100"));

        auto* fullScreen = preview.findChild<QPushButton*>(QStringLiteral("btnSchermoIntero"));
        QTest::mouseClick(fullScreen, Qt::LeftButton);
        QVERIFY(preview.windowState().testFlag(Qt::WindowFullScreen));
        QTest::mouseClick(fullScreen, Qt::LeftButton);
        QVERIFY(!preview.windowState().testFlag(Qt::WindowFullScreen));

        QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("btnChiudi")), Qt::LeftButton);
        QVERIFY(!preview.isVisible());
    }
};

QTEST_MAIN(TestListScreen)
#include "tst_listscreen.moc"
