// The search screen base, on a two-filter search of a two-field archive: the filter panel, the
// wait line, the filter rule, the count line, the switch to the results, the failure box, and a
// double-click that hands over the record's position.
#include "common/PictureButton.h"
#include "editor/RecordEditing.h"
#include "output/SearchScreen.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"
#include "TinyRecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

class TinySearch : public SearchScreen {
public:
    TinySearch(const QString& path)
        : SearchScreen(nullptr, {{ListKind::TeamSearch, u"frmTrovaProva"_s, u" Trova prove"_s, QSize(862, 560), false,
                                  u"pulsante_stampa"_s},
                                 {{u"txtNome"_s, u"Nome:"_s, u"Nome"_s, {144, 141}}, {u"txtNota"_s, u"Nota:"_s, u"Nota"_s, {488, 141}}},
                                 recordFormat(TinyRecord::Layout),
                                 [path] { return path; },
                                 {{QString(), u"Nome"_s, 10}, {u" / "_s, u"Nota"_s, -1}},
                                 u"Riepilogo prove"_s,
                                 u" schede."_s,
                                 u"Fare doppio clic su una voce in elenco per richiamare la scheda"_s})
    {
    }
};

struct Screen {
    FakePlatform fake;
    TempProgramFolder folder;
    QString path = folder.file(u"Prove.dat"_s);
    std::unique_ptr<TinySearch> screen;

    void open()
    {
        screen = std::make_unique<TinySearch>(path);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    template <typename T = QWidget>
    T* find(const QString& name) const { return screen->findChild<T*>(name); }
    QLineEdit* filter(const QString& name) const { return find<QLineEdit>(name); }
    QStringList rows() const
    {
        QStringList texts;
        for (const ListRow& row : screen->rows())
            texts << row.text;
        return texts;
    }
};

}  // namespace

class TestSearchScreen : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheFilters()
    {
        Screen s;
        s.open();
        QVERIFY(s.find(u"panAvvio"_s)->isVisible());
        QVERIFY(!s.find(u"panContainer"_s)->isVisible());
        QVERIFY(!s.find(u"lblAttendere"_s)->isVisible());
        QCOMPARE(QApplication::focusWidget(), s.filter(u"txtNome"_s));
        QVERIFY(s.find(u"effNome"_s)->isVisible());
        QVERIFY(!s.find(u"effNota"_s)->isVisible());
        QCOMPARE(s.find<QLabel>(u"lblTrovate"_s)->text(), u"Il presente riepilogo contiene 0 schede"_s);

        // Enter goes round the filters.
        QTest::keyClick(s.filter(u"txtNome"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s.filter(u"txtNota"_s));
        QTest::keyClick(s.filter(u"txtNota"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s.filter(u"txtNome"_s));
    }

    void search_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("nota");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("inUse");

        const QString a = u"Aquile     / finale"_s, b = u"Lupi       / girone"_s, c = u"aquilotti  / girone"_s;
        QTest::newRow("no filter lists all, in order") << QString() << QString() << QStringList{a, c, b} << u"0"_s;
        QTest::newRow("A to Z folded") << u"AQUIL"_s << QString() << QStringList{a, c} << u"1"_s;
        QTest::newRow("every filter in use must occur") << u"aquil"_s << u"gir"_s << QStringList{c} << u"2"_s;
        QTest::newRow("nothing found") << u"Orsi"_s << QString() << QStringList{} << u"1"_s;
    }

    void search()
    {
        QFETCH(QString, nome);
        QFETCH(QString, nota);
        QFETCH(QStringList, rows);
        QFETCH(QString, inUse);
        Screen s;
        QVERIFY(archiveFiles::write(s.path, {tiny(u"Lupi"_s, u"girone"_s), tiny(u"Aquile"_s, u"finale"_s),
                                             tiny(u"aquilotti"_s, u"girone"_s)}));
        s.open();
        s.filter(u"txtNome"_s)->setText(nome);
        s.filter(u"txtNota"_s)->setText(nota);

        auto* search = s.find<PictureButton>(u"btnCerca"_s);
        QTest::mousePress(search, Qt::LeftButton);
        QVERIFY(s.find(u"lblAttendere"_s)->isVisible());  // shown while the search runs
        QTest::mouseRelease(search, Qt::LeftButton);

        QCOMPARE(s.rows(), rows);
        QCOMPARE(s.find<QLabel>(u"lblConta"_s)->text(), inUse);
        QCOMPARE(s.find<QLabel>(u"lblTrovate"_s)->text(),
                 u"Il presente riepilogo contiene %1 schede."_s.arg(rows.size()));
        QVERIFY(!s.find(u"panAvvio"_s)->isVisible());
        QVERIFY(s.find(u"panContainer"_s)->isVisible());
        QVERIFY(!s.find(u"lblAttendere"_s)->isVisible());
        QCOMPARE(QApplication::focusWidget(), s.find(u"txtTrova"_s));
        QVERIFY(s.fake.messages.isEmpty());
    }

    void failedSearchKeepsTheFilters()
    {
        Screen s;
        s.path = s.folder.file(u"manca/Prove.dat"_s);
        s.open();
        QTest::mouseClick(s.find<PictureButton>(u"btnCerca"_s), Qt::LeftButton);
        QCOMPARE(s.fake.messages.size(), 1);
        QCOMPARE(s.fake.lastMessage().kind, platform::MessageKind::Plain);
        QCOMPARE(s.fake.lastMessage().text, recordEditing::archiveFailureMessage);
        QVERIFY(s.find(u"panAvvio"_s)->isVisible());
        QVERIFY(!s.find(u"panContainer"_s)->isVisible());
        QVERIFY(!s.find(u"lblAttendere"_s)->isVisible());
    }

    // Two records with the same row: each row leads to its own record.
    void doubleClickHandsOverThePosition()
    {
        Screen s;
        QVERIFY(archiveFiles::write(s.path, {tiny(u"Orsi"_s), tiny(u"Lupi"_s), tiny(u"Orsi"_s)}));
        s.open();
        QTest::mouseClick(s.find<PictureButton>(u"btnCerca"_s), Qt::LeftButton);
        QSignalSpy opened(s.screen.get(), &RecordListScreen::recordOpened);
        auto* list = s.find<QTableView>(u"lstRecords"_s);
        const QModelIndex second = list->model()->index(2, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.front().front().toLongLong(), 3);
        QVERIFY(!s.screen->isVisible());
    }

    void printsTheRowsUnderItsTitle()
    {
        Screen s;
        QVERIFY(archiveFiles::write(s.path, {tiny(u"Orsi"_s)}));
        s.open();
        QTest::mouseClick(s.find<PictureButton>(u"btnCerca"_s), Qt::LeftButton);
        QTest::mouseClick(s.find<PictureButton>(u"btnStampa"_s), Qt::LeftButton);
        QCOMPARE(s.fake.printJobs.size(), 1);
    }

    void closeButtonsClose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("afterSearch");
        QTest::newRow("filter panel") << u"btnAnnulla"_s << false;
        QTest::newRow("result panel") << u"btnChiudi"_s << true;
    }

    void closeButtonsClose()
    {
        QFETCH(QString, button);
        QFETCH(bool, afterSearch);
        Screen s;
        s.open();
        if (afterSearch)
            QTest::mouseClick(s.find<PictureButton>(u"btnCerca"_s), Qt::LeftButton);
        QTest::mouseClick(s.find<PictureButton>(button), Qt::LeftButton);
        QVERIFY(!s.screen->isVisible());
        QVERIFY(s.screen->rows().isEmpty());
    }
};

QTEST_MAIN(TestSearchScreen)
#include "tst_searchscreen.moc"
