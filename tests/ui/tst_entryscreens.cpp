// The dialogs of the tournament entry editor's toolbar: the entry search and the list of entries
// still to complete open exactly the chosen entry in the editor; the export writes Torneo.xls
// after its question and offers to open it; the sheet shows what is on screen, saved or not.
#include "app/Guida.h"
#include "app/ProgramFolder.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "output/Anteprima.h"
#include "output/ExportScreen.h"
#include "storage/TournamentRecord.h"
#include "tournament/ExpTorneo.h"
#include "tournament/Segnalati.h"
#include "tournament/StampaPagina.h"
#include "tournament/Torneo.h"
#include "tournament/TrovaPagina.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString yes = u"S\u00EC"_s;

TournamentRecord entry(const QString& team, const QString& mark = u"No"_s, const QString& phone = QString())
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Responsabile = u"Rossi"_s;
    record.Telefono = phone;
    record.Punteggio = u"3,00"_s;
    record.Completato = mark;
    return record;
}

void click(const QObject* root, const QString& name)
{
    QTest::mouseClick(widgets::find<PictureButton>(root, name), Qt::LeftButton);
}

QList<qint64> positions(const RecordListScreen& screen)
{
    QList<qint64> result;
    for (const ListRow& row : screen.rows())
        result.append(row.position);
    return result;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Editor {
    FakePlatform fake;
    TempProgramFolder folder;
    Navigator navigator;
    QWidget launcher;
    TfrmTorneo screen{navigator};
    QString path = folder.file(u"Coppa Estate.vai"_s);

    Editor()
    {
        programFolder::set(folder.path());
        navigator.add(Screen::Launcher, &launcher);
        navigator.add(Screen::TournamentEditor, &screen);
        screen.setTournament(path, u"Coppa Estate"_s);
        navigator.go(Screen::TournamentEditor, nullptr);
        QApplication::setActiveWindow(&screen);
    }
    void write(const QList<TournamentRecord>& records) const { QVERIFY(archiveFiles::writeRecords(path, records)); }
    QString text(const QString& name) const { return widgets::find<QLineEdit>(&screen, name)->text(); }
    QString position() const { return widgets::find<QLabel>(&screen, u"lblPosizione"_s)->text(); }
};

}  // namespace

class TestEntryScreens : public QObject {
    Q_OBJECT

private slots:
    void toolbarOpensEveryDialog_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("search") << u"cmdTrova"_s << QKeySequence(Qt::CTRL | Qt::Key_F) << u"TfrmTrovaPagina"_s;
        QTest::newRow("print") << u"cmdStampa"_s << QKeySequence(Qt::CTRL | Qt::Key_P) << u"TfrmStampaPagina"_s;
        QTest::newRow("preview") << u"cmdAnteprima"_s << QKeySequence() << u"TfrmAnteprimaPagina"_s;
        QTest::newRow("export") << u"cmdExcel"_s << QKeySequence() << u"TfrmExpTorneo"_s;
        QTest::newRow("open entries") << u"cmdNonPagati"_s << QKeySequence() << u"TfrmSegnalati"_s;
    }
    void toolbarOpensEveryDialog()
    {
        QFETCH(QString, button);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, dialog);
        Editor e;
        QVERIFY(QTest::qWaitForWindowActive(&e.screen));
        QVERIFY(widgets::find<PictureButton>(&e.screen, button)->isEnabled());
        click(&e.screen, button);
        QCOMPARE(e.fake.dialogsRun, QStringList{dialog});
        if (!keys.isEmpty()) {
            QTest::keySequence(&e.screen, keys);
            QCOMPARE(e.fake.dialogsRun, (QStringList{dialog, dialog}));
        }
    }

    // Rows 0 and 1 are the same text for entries 1 and 3 (their phones differ); row 2 is entry 2.
    void searchOpensTheChosenEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("position");
        QTest::newRow("first of two equal rows") << 0 << u"111"_s << u"1"_s;
        QTest::newRow("second of two equal rows") << 1 << u"333"_s << u"3"_s;
        QTest::newRow("another row") << 2 << u"222"_s << u"2"_s;
    }
    void searchOpensTheChosenEntry()
    {
        QFETCH(int, row);
        QFETCH(QString, phone);
        QFETCH(QString, position);
        Editor e;
        e.write({entry(u"Aquile"_s, yes, u"111"_s), entry(u"Lupi"_s, u"No"_s, u"222"_s), entry(u"Aquile"_s, u"No"_s, u"333"_s)});
        bool closed = false;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* search = qobject_cast<TfrmTrovaPagina*>(dialog);
            QVERIFY(search);
            search->show();
            QCOMPARE(search->windowTitle(), u" Trova squadre in torneo"_s);
            click(search, u"btnCerca"_s);
            QCOMPARE(widgets::find<QLabel>(search, u"lblTrovate"_s)->text(), u"Il presente riepilogo contiene 3 schede."_s);
            widgets::doubleClickRow(search, row);
            closed = !search->isVisible();
        };
        click(&e.screen, u"cmdTrova"_s);
        QVERIFY(closed);
        QCOMPARE(e.text(u"txtTelefono"_s), phone);
        QCOMPARE(e.position(), position);
        QCOMPARE(widgets::find<QCheckBox>(&e.screen, u"chkCompletato"_s)->isChecked(), position == u"1"_s);
    }

    // Each filter searches its own field; the match list is searched whole.
    void filters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<qint64>>("found");
        QTest::newRow("team") << u"txtConcorrente"_s << u"AQUIL"_s << QList<qint64>{1};
        QTest::newRow("contact") << u"txtResponsabile"_s << u"bianchi"_s << QList<qint64>{2};
        QTest::newRow("phone") << u"txtTelefono"_s << u"555"_s << QList<qint64>{2};
        QTest::newRow("e-mail") << u"txtEmail"_s << u"@lupi"_s << QList<qint64>{2};
        QTest::newRow("matches beyond what screens show") << u"txtGare"_s << u"FINALE"_s << QList<qint64>{1};
        QTest::newRow("notes") << u"txtNote"_s << u"girone b"_s << QList<qint64>{2};
        QTest::newRow("leading blank") << u"txtConcorrente"_s << u" lupi"_s << QList<qint64>{};
        QTest::newRow("blanks only: every entry") << u"txtNote"_s << u"   "_s << QList<qint64>{1, 2};
        QTest::newRow("accented capital not folded") << u"txtNote"_s << u"CITT\u00C0"_s << QList<qint64>{};
    }
    void filters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, text);
        QFETCH(QList<qint64>, found);
        Editor e;
        TournamentRecord aquile = entry(u"Aquile"_s);
        aquile.Gare = QString(600, u'x') + u"\r\nfinale vinta"_s;
        aquile.Note = u"citt\u00E0"_s;
        TournamentRecord lupi = entry(u"Lupi"_s, u"No"_s, u"555-1234"_s);
        lupi.Responsabile = u"Anna Bianchi"_s;
        lupi.Email = u"info@lupi.it"_s;
        lupi.Note = u"Girone B"_s;
        e.write({aquile, lupi});
        TfrmTrovaPagina search;
        search.setTournament(e.path);
        search.show();
        widgets::find<QLineEdit>(&search, filter)->setText(text);
        click(&search, u"btnCerca"_s);
        QCOMPARE(positions(search), found);
    }

    void openEntriesList()
    {
        Editor e;
        e.write({entry(u"Zebre"_s), entry(u"Aquile"_s, yes, u"111"_s), entry(u"Falchi"_s, QString()),
                 entry(u"Aquile"_s, u"No"_s, u"444"_s), entry(u"Orsi"_s, u"forse"_s)});
        QStringList rows;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* list = qobject_cast<TfrmSegnalati*>(dialog);
            QVERIFY(list);
            list->show();
            for (const ListRow& row : list->rows())
                rows.append(row.text.left(6));
            QCOMPARE(positions(*list), (QList<qint64>{4, 1}));
            QCOMPARE(list->focusWidget(), widgets::find<QLineEdit>(list, u"txtTrova"_s));
            widgets::doubleClickRow(list, 0);  // the completed entry 2 has the same row: it is not the one
        };
        click(&e.screen, u"cmdNonPagati"_s);
        QCOMPARE(rows, (QStringList{u"Aquile"_s, u"Zebre "_s}));
        QCOMPARE(e.text(u"txtTelefono"_s), u"444"_s);
        QCOMPARE(e.position(), u"4"_s);
    }

    void allCompletedGivesAnEmptyList()
    {
        Editor e;
        e.write({entry(u"Aquile"_s, yes)});
        TfrmSegnalati list;
        list.setTournament(e.path);
        list.show();
        QVERIFY(list.rows().isEmpty());
        click(&list, u"btnTrova"_s);
        QCOMPARE(e.fake.lastMessage().text, u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
    }

    void exportAnswers_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("opened");
        QTest::newRow("No to the first question") << QList<bool>{false} << false << false;
        QTest::newRow("Yes, then No") << QList<bool>{true, false} << true << false;
        QTest::newRow("Yes, then Yes") << QList<bool>{true, true} << true << true;
    }
    void exportAnswers()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(bool, written);
        QFETCH(bool, opened);
        Editor e;
        TournamentRecord first = entry(u" Aquile "_s);
        first.Gare = u"non esportate"_s;
        e.write({first, entry(u"Lupi"_s, yes)});
        e.fake.answers = FakePlatform::yesNo(answers);
        QStringList headers;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* screen = qobject_cast<TfrmExpTorneo*>(dialog);
            QVERIFY(screen);
            screen->show();
            auto* grid = widgets::find<QTableView>(screen, u"grdRecords"_s);
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                headers.append(grid->model()->headerData(c, Qt::Horizontal).toString());
            QCOMPARE(grid->model()->rowCount(), 2);
            QCOMPARE(grid->model()->index(1, 0).data().toString(), u"2"_s);
            QCOMPARE(grid->model()->index(0, 1).data().toString(), u"Aquile"_s);
            QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 21);
            QVERIFY(grid->alternatingRowColors());
            click(screen, u"cmdEsporta"_s);
        };
        click(&e.screen, u"cmdExcel"_s);

        QCOMPARE(headers, (QStringList{u"N."_s, u"Squadra"_s, u"Responsabile"_s, u"Telefono"_s, u"E-mail"_s,
                                       u"Punteggio totale"_s, u"Note"_s, u"Torneo completato"_s}));
        const QString file = e.folder.file(u"Torneo.xls"_s);
        QCOMPARE(e.fake.messages.size(), answers.size());
        QCOMPARE(e.fake.messages.front().text, ExportScreen::firstQuestion);
        QCOMPARE(QFile::exists(file), written);
        if (written) {
            const QByteArray document = contents(file);
            QVERIFY(document.contains("<x:Name>Torneo</x:Name>"));
            QVERIFY(document.contains("<td style=\"text-align: left;\">Aquile</td><td style=\"text-align: left;\">Rossi</td>"));
            QVERIFY(document.contains("<td style=\"text-align: left;\">S\xEC</td></tr></table>"));
            QVERIFY(!document.contains("non esportate"));
            QCOMPARE(e.fake.messages.back().text, ExportScreen::doneQuestion(file));
            QVERIFY(e.fake.messages.back().text.contains(u"\r\n"_s + file + u"\r\n"_s));
        }
        QCOMPARE(e.fake.opened, opened ? QList<QUrl>{QUrl::fromLocalFile(file)} : QList<QUrl>{});
    }

    // Something in the way of the file (here a folder of that name): the failure message.
    void exportFailure()
    {
        Editor e;
        e.write({entry(u"Aquile"_s)});
        QVERIFY(QDir(e.folder.path()).mkdir(u"Torneo.xls"_s));
        TfrmExpTorneo screen;
        screen.setTournament(e.path);
        screen.show();
        click(&screen, u"cmdEsporta"_s);
        QCOMPARE(e.fake.messages.size(), 2);
        QCOMPARE(e.fake.lastMessage().kind, platform::MessageKind::Plain);
        QCOMPARE(e.fake.lastMessage().text, ExportScreen::failureMessage);
        QVERIFY(e.fake.opened.isEmpty());
    }

    void exportOfAnEmptyTournament()
    {
        Editor e;
        TfrmExpTorneo screen;
        screen.setTournament(e.path);
        screen.show();
        QCOMPARE(widgets::find<QTableView>(&screen, u"grdRecords"_s)->model()->rowCount(), 0);
        click(&screen, u"cmdEsporta"_s);
        QVERIFY(contents(e.folder.file(u"Torneo.xls"_s)).endsWith("Torneo completato</td></tr></table></body></html>"));
    }

    void exportHelpAndHints()
    {
        Editor e;
        TfrmExpTorneo screen;
        screen.setTournament(e.path);
        QCOMPARE(screen.windowTitle(), u" Esporta archivio torneo in Microsoft Excel"_s);
        QCOMPARE(widgets::find<QLabel>(&screen, u"panInfo"_s)->text(), u"Esportazione archivio in Microsoft Excel."_s);
        QCOMPARE(widgets::find<PictureButton>(&screen, u"cmdEsporta"_s)->hint(), u"Esporta l'archivio in formato Microsoft Excel."_s);
        QString title;
        QString text;
        e.fake.onDialog = [&](QObject* dialog) {
            if (auto* guide = qobject_cast<TfrmGuida*>(dialog)) {
                title = widgets::find<QLabel>(guide, u"lblTitolo"_s)->text();
                text = widgets::find<QPlainTextEdit>(guide, u"txtGuida"_s)->toPlainText();
            }
        };
        click(&screen, u"cmdGuida"_s);
        QCOMPARE(title, u"Esportazione archivio torneo in Microsoft Excel"_s);
        QVERIFY(text.contains(u"un file in formato XLS contenente"_s));
        QCOMPARE(text.count(u"\n\n"_s), 2);
    }

    // The sheet takes the values on screen, not the saved entry.
    void sheetsShowTheScreen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("print") << u"cmdStampa"_s;
        QTest::newRow("preview") << u"cmdAnteprima"_s;
    }
    void sheetsShowTheScreen()
    {
        QFETCH(QString, button);
        Editor e;
        e.write({entry(u"Aquile"_s)});
        e.screen.showRecord(1);
        widgets::find<QLineEdit>(&e.screen, u"txtConcorrente"_s)->setText(u"Aquile [nuovo nome]"_s);
        widgets::find<QPlainTextEdit>(&e.screen, u"txtGare"_s)->setPlainText(u"1) Lupi 2-1"_s);
        report::PreparedReport shown;
        e.fake.onDialog = [&](QObject* dialog) {
            if (auto* preview = qobject_cast<TfrmAnteprima*>(dialog))
                shown = preview->document();
            else if (auto* sheet = qobject_cast<SheetDialog*>(dialog))
                QTest::mouseClick(widgets::find<QPushButton>(sheet, u"btnStampa"_s), Qt::LeftButton);
        };
        click(&e.screen, button);
        if (button == u"cmdStampa"_s) {
            QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmStampaPagina"_s});
            QCOMPARE(e.fake.printJobs.size(), 1);
            shown = e.fake.printed().last();
        } else {
            QCOMPARE(e.fake.dialogsRun, (QStringList{u"TfrmAnteprimaPagina"_s, u"TfrmAnteprima"_s}));
            QVERIFY(e.fake.printJobs.isEmpty());
        }
        QCOMPARE(shown.pages.size(), 1);
        const auto text = [&](const QString& name) { return shown.pages[0].itemsNamed(name).value(0)->text(); };
        QCOMPARE(text(u"txtConcorrente"_s), u"Aquile [nuovo nome]"_s);
        QCOMPARE(text(u"txtGare"_s), u"1) Lupi 2-1"_s);
        QCOMPARE(text(u"txtPagina"_s), u"p. 1"_s);
        QCOMPARE(text(u"lblNome"_s), u"Coppa Estate"_s);
    }

    void cancellingTheSheetPrintsNothing()
    {
        Editor e;
        e.fake.onDialog = [&](QObject* dialog) {
            QTest::mouseClick(widgets::find<QPushButton>(dialog, u"btnAnnulla"_s), Qt::LeftButton);
        };
        click(&e.screen, u"cmdStampa"_s);
        QVERIFY(e.fake.printJobs.isEmpty());
    }
};

QTEST_MAIN(TestEntryScreens)
#include "tst_entryscreens.moc"
