// "Importa da foglio di calcolo" from the team editor, and the .xlsx export of the export screens:
// the dialog's matching, preview and report, what the confirmation writes, and the refusals.
#include "app/ProgramFolder.h"
#include "common/ImportaFoglio.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "editor/RecordEditing.h"
#include "import/SheetFile.h"
#include "output/ExportScreen.h"
#include "storage/Cp1252.h"
#include "storage/FileFaults.h"
#include "storage/TeamRecord.h"
#include "teams/Squadre.h"
#include "EditorFixture.h"
#include "player_editor.h"

#include <QComboBox>
#include <QScreen>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

TeamRecord team(const QString& name, const QString& field = {})
{
    TeamRecord record;
    record.Squadra = name;
    record.Campo = field;
    record.Selezionata = u"No"_s;
    return record;
}

struct Editor : EditorFixture<TfrmSquadre, TeamRecord> {
    Editor()
        : EditorFixture(Screen::TeamArchive, programFolder::teamArchiveName)
    {
    }

    // A spreadsheet saved with a spreadsheet program's usual settings: semicolons, Windows-1252.
    QString sheet(const QString& text) const
    {
        const QString path = folder.file(u"squadre.csv"_s);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(cp1252::encode(text));
        return path;
    }
};

QStringList column(QTableWidget* grid, int index)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << (grid->item(row, index) ? grid->item(row, index)->text() : QString());
    return texts;
}

QComboBox* choice(QObject* dialog, int column) { return widgets::find<QComboBox>(dialog, u"cboCampo%1"_s.arg(column)); }

const QString csv = u"Squadra;Campo;Colori sociali;Colonna libera\r\n"
                    u"Aquile;Comunale;bianco e nero;x\r\n"
                    u"Forl\u00EC Calcio;\"Stadio \"\"Morgagni\"\"; tribuna\";rosso;y\r\n"
                    u";senza nome;;\r\n"
                    u"Falchi;Nuovo;;\r\n"_s;

}  // namespace

class TestImportDialog : public QObject {
    Q_OBJECT

private slots:
    void commandIsInTheToolbarWithItsShortcut()
    {
        Editor e;
        auto* button = e.find<PictureButton>(u"cmdImporta"_s);
        QCOMPARE(button->hint(), u"Importa da foglio di calcolo."_s);
        QCOMPARE(button->toolTip(), u"Importa da foglio di calcolo.\nScorciatoia da tastiera: Ctrl+I"_s);
        // Cancelling the file dialog opens nothing.
        QVERIFY(e.open());
        QTest::keyClick(&e.screen, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(e.fake.fileRequests.size(), 1);
        QCOMPARE(e.fake.fileRequests.first().title, TfrmImportaFoglio::title);
        QCOMPARE(e.fake.dialogsRun, QStringList());
    }

    // The user sees the matching, leaves a column out, imports, and the editor shows the first
    // team imported.
    void importsWhatTheScreenShows()
    {
        Editor e;
        e.write({team(u"Lupi"_s)});
        QVERIFY(e.open());
        e.fake.fileAnswers = {e.sheet(csv)};
        e.fake.answers = {platform::Answer::Yes};
        QStringList headers, fields, preview, issues;
        QString summary, afterLeavingOut;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* columns = widgets::find<QTableWidget>(dialog, u"grdColonne"_s);
            headers = column(columns, 0);
            for (int i = 1; i <= columns->rowCount(); ++i)
                fields << choice(dialog, i)->currentText();
            auto* rows = widgets::find<QTableWidget>(dialog, u"grdAnteprima"_s);
            preview = column(rows, 3);  // Riga, Squadra, Colori, Campo: the record's order
            issues = column(widgets::find<QTableWidget>(dialog, u"grdSegnalazioni"_s), 1);
            summary = widgets::find<QLabel>(dialog, u"lblRiepilogo"_s)->text();
            choice(dialog, 3)->setCurrentIndex(0);  // the colours stay out
            afterLeavingOut = widgets::find<QTableWidget>(dialog, u"grdAnteprima"_s)->horizontalHeaderItem(2)->text();
            widgets::find<QPushButton>(dialog, u"btnImporta"_s)->click();
        };
        e.click(u"cmdImporta"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmImportaFoglio"_s});
        QCOMPARE(headers, (QStringList{u"Squadra"_s, u"Campo"_s, u"Colori sociali"_s, u"Colonna libera"_s}));
        QCOMPARE(fields, (QStringList{u"Squadra"_s, u"Campo"_s, u"Colori"_s, u"(non importare)"_s}));
        QCOMPARE(preview, (QStringList{u"Comunale"_s, u"Stadio \"Morgagni\"; tribuna"_s, u"senza nome"_s, u"Nuovo"_s}));
        QCOMPARE(issues, QStringList{u"Scartata: manca \u00ABSquadra\u00BB"_s});
        QCOMPARE(summary, u"Schede da aggiungere: 3 \u00B7 Schede da aggiornare: 0 \u00B7 Righe saltate perch\u00E9 gi\u00E0 in "
                          u"archivio: 0 \u00B7 Righe scartate: 1"_s);
        QCOMPARE(afterLeavingOut, u"Campo"_s);

        const QList<TeamRecord> stored = e.records();
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored.at(2).Squadra, u"Forl\u00EC Calcio"_s);
        QCOMPARE(stored.at(2).Colori, QString());
        QCOMPARE(stored.at(3).Selezionata, u"No"_s);
        QCOMPARE(e.fake.messages.size(), 2);
        QCOMPARE(e.fake.messages.at(0).kind, MessageKind::Question);
        QCOMPARE(e.fake.messages.at(1).kind, MessageKind::Information);
        QCOMPARE(e.fake.messages.at(1).text,
                 u"Importazione completata.\r\n\r\nSchede aggiunte: 3\r\nSchede aggiornate: 0\r\nRighe saltate perch\u00E9 "
                 u"gi\u00E0 in archivio: 0\r\nRighe scartate: 1"_s);
        QCOMPARE(e.find<QLabel>(u"lblPosizione"_s)->text(), u"2"_s);
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), u"Aquile"_s);
    }

    // A file name that looks like markup is shown as the name it is.
    void fileNameIsShownAsItIs()
    {
        Editor e;
        QVERIFY(e.open());
        const QString name = u"<u><font color=red size=6>x.csv"_s;
        const QString path = e.folder.file(name);
        QVERIFY(QFile::rename(e.sheet(csv), path));
        e.fake.fileAnswers = {path};
        QLabel* shown = nullptr;
        QString text;
        e.fake.onDialog = [&](QObject* dialog) {
            shown = widgets::find<QLabel>(dialog, u"lblFile"_s);
            text = shown->text();
            QCOMPARE(shown->textFormat(), Qt::PlainText);
        };
        e.click(u"cmdImporta"_s);
        QVERIFY(shown);
        QVERIFY2(text.contains(name), qPrintable(text));
    }

    void unsavedChangesAreAskedAboutFirst_data()
    {
        QTest::addColumn<platform::Answer>("answer");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("shown");

        const QStringList imported = {u"Aquile"_s, u"Forlì Calcio"_s, u"Falchi"_s};
        QTest::newRow("Sì: saved, then imported")
            << platform::Answer::Yes << QStringList{u"Lupi"_s, u"Orsi"_s} + imported << u"3"_s << u"Aquile"_s;
        QTest::newRow("No: imported, the typing dropped")
            << platform::Answer::No << QStringList{u"Lupi"_s} + imported << u"2"_s << u"Aquile"_s;
        QTest::newRow("Annulla: nothing done") << platform::Answer::Cancel << QStringList{u"Lupi"_s} << QString()
                                               << u"Orsi"_s;
    }

    // A team typed and not saved is asked about before the spreadsheet is chosen.
    void unsavedChangesAreAskedAboutFirst()
    {
        QFETCH(platform::Answer, answer);
        QFETCH(QStringList, stored);
        QFETCH(QString, position);
        QFETCH(QString, shown);

        Editor e;
        e.write({team(u"Lupi"_s)});
        QVERIFY(e.open());
        e.field(u"txtSquadra"_s)->setText(u"Orsi"_s);
        e.fake.fileAnswers = {e.sheet(csv)};
        e.fake.answers = {answer, platform::Answer::Yes};
        e.fake.onDialog = [](QObject* dialog) { widgets::find<QPushButton>(dialog, u"btnImporta"_s)->click(); };
        e.click(u"cmdImporta"_s);
        QCOMPARE(e.fake.messages.first().text, recordEditing::saveChangesQuestion);
        QCOMPARE(e.fake.dialogsRun.size(), answer == platform::Answer::Cancel ? 0 : 1);
        QStringList names;
        for (const TeamRecord& record : e.records())
            names << record.Squadra;
        QCOMPARE(names, stored);
        QCOMPARE(e.find<QLabel>(u"lblPosizione"_s)->text(), position);
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), shown);
    }

    void duplicatesAreUpdatedWhenChosen()
    {
        Editor e;
        e.write({team(u"Aquile"_s, u"Vecchio"_s), team(u"Lupi"_s)});
        QVERIFY(e.open());
        e.fake.fileAnswers = {e.sheet(u"Squadra;Campo\r\nAquile;Nuovo\r\n"_s)};
        QString skipping, updating;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* button = widgets::find<QPushButton>(dialog, u"btnImporta"_s);
            skipping = widgets::find<QLabel>(dialog, u"lblRiepilogo"_s)->text();
            QVERIFY(!button->isEnabled());  // nothing to write while the team is skipped
            widgets::find<QRadioButton>(dialog, u"optAggiorna"_s)->click();
            updating = widgets::find<QLabel>(dialog, u"lblRiepilogo"_s)->text();
            button->click();
        };
        e.click(u"cmdImporta"_s);
        QVERIFY(skipping.contains(u"Righe saltate perch\u00E9 gi\u00E0 in archivio: 1"_s));
        QVERIFY(updating.contains(u"Schede da aggiornare: 1"_s));
        QCOMPARE(e.records().size(), 2);
        QCOMPARE(e.records().at(0).Campo, u"Nuovo"_s);
        QCOMPARE(e.find<QLabel>(u"lblPosizione"_s)->text(), u"1"_s);
    }

    void nothingIsWrittenUntilConfirmed()
    {
        Editor e;
        e.write({team(u"Lupi"_s)});
        QVERIFY(e.open());
        e.fake.fileAnswers = {e.sheet(csv)};
        e.fake.answers = {platform::Answer::No};
        e.fake.onDialog = [](QObject* dialog) { widgets::find<QPushButton>(dialog, u"btnImporta"_s)->click(); };
        e.click(u"cmdImporta"_s);
        QCOMPARE(e.records().size(), 1);
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.find<QLabel>(u"lblPosizione"_s)->text(), QString());
    }

    void failedWriteIsReportedAndWritesNothing()
    {
        Editor e;
        e.write({team(u"Lupi"_s)});
        QVERIFY(e.open());
        e.fake.fileAnswers = {e.sheet(csv)};
        e.fake.onDialog = [&](QObject* dialog) {
            const fileFaults::Injected full({fileFaults::Fault::WriteFails, 0, e.path});
            widgets::find<QPushButton>(dialog, u"btnImporta"_s)->click();
        };
        e.click(u"cmdImporta"_s);
        QCOMPARE(e.records().size(), 1);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Error);
        QCOMPARE(e.fake.lastMessage().text, recordEditing::archiveFailureMessage);
    }

    void unreadableFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("binary Excel") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) << sheetFile::binaryXlsMessage;
        QTest::newRow("header only") << QByteArray("Squadra\r\n")
                                     << u"Il file non contiene righe oltre all'intestazione."_s;
    }

    void unreadableFileIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        Editor e;
        QVERIFY(e.open());
        const QString path = e.folder.file(u"foglio.xls"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        e.fake.fileAnswers = {path};
        e.click(u"cmdImporta"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList());
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(e.fake.lastMessage().text, u"Attenzione: il file scelto non pu\u00F2 essere importato.\r\n\r\n"_s + reason);
    }

    // The workbook export stands beside the export and writes what the grid shows.
    void exportsAWorkbook()
    {
        Editor e;
        e.write({team(u"Lupi"_s, u"Comunale"_s), team(u"Orsi"_s)});
        QVERIFY(e.open());
        e.fake.answers = {platform::Answer::Yes, platform::Answer::Yes};
        QRect esporta, xlsx;
        QString hint;
        e.fake.onDialog = [&](QObject* dialog) {
            qobject_cast<QWidget*>(dialog)->show();  // the grid fills when the screen is shown
            esporta = widgets::find<PictureButton>(dialog, u"cmdEsporta"_s)->geometry();
            auto* button = widgets::find<PictureButton>(dialog, u"cmdEsportaXlsx"_s);
            xlsx = button->geometry();
            hint = button->hint();
            QTest::mouseClick(button, Qt::LeftButton);
        };
        e.click(u"cmdEsporta"_s);
        QCOMPARE(xlsx, esporta.translated(esporta.width() + 10, 0));
        QCOMPARE(hint, u"Esporta in formato Excel (.xlsx)"_s);
        QCOMPARE(e.fake.messages.at(0).text, ExportScreen::firstQuestion);
        const QString path = e.folder.file(u"Archivio_Squadre.xlsx"_s);
        QCOMPARE(e.fake.messages.at(1).text, u"Le schede in archivio sono state esportate con successo nel file:\r\n"_s + path
                                                 + u"\r\n\r\nSi vuole aprire il file di Excel?"_s);
        QCOMPARE(e.fake.opened.size(), 1);
        QVERIFY(e.fake.opened.first().toString().contains(u"Archivio_Squadre.xlsx"_s));
        const sheetFile::Loaded loaded = sheetFile::read(path);
        QCOMPARE(loaded.format, sheetFile::Format::Xlsx);
        QCOMPARE(loaded.sheet.rows.size(), 3);
        QCOMPARE(loaded.sheet.rows.at(1).text(3), u"Comunale"_s);
        QVERIFY(!QFile::exists(e.folder.file(u"Archivio_Squadre.xls"_s)));

        // A workbook that cannot be put in place keeps the old one and says so.
        const QByteArray before = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        e.fake.messages.clear();
        e.fake.answers = {platform::Answer::Yes};
        e.fake.onDialog = [&](QObject* dialog) {
            const fileFaults::Injected refused({fileFaults::Fault::RenameFails, 0, e.folder.path()});
            QTest::mouseClick(widgets::find<PictureButton>(dialog, u"cmdEsportaXlsx"_s), Qt::LeftButton);
        };
        e.click(u"cmdEsporta"_s);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Plain);
        QCOMPARE(e.fake.lastMessage().text, ExportScreen::failureMessage);
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
    }

    // A player archive exported as a workbook from its screen and imported through the player
    // editor into an empty folder is the same archive, sex, height, weight and awards included.
    void playerWorkbookComesBackWhole()
    {
        QByteArray original;
        QString workbookPath;
        QTemporaryDir keep;
        {
            PlayerEditor from;
            PlayerRecord woman;
            woman.Giocatore = u"Neri Anna"_s;
            woman.Sesso = u"F"_s;
            woman.DataNasc = u"01/02/2010"_s;
            woman.Squadra = u"Aquile"_s;
            woman.Tessera = u"T-4"_s;
            woman.ScadTessera = u"30/06/2027"_s;
            woman.ScadCertificato = u"28/02/2027"_s;
            woman.Altezza = u"1,62 m"_s;
            woman.Peso = u"51"_s;
            woman.Riconoscimenti = u"Miglior portiere 2025"_s;
            woman.Presenze = woman.Reti = woman.Ammonizioni = woman.Espulsioni = u"0"_s;
            PlayerRecord man = woman;
            man.Giocatore = u"Rossi Ugo"_s;
            man.Sesso = u"M"_s;
            man.Reti = u"12"_s;
            from.write({woman, man});
            original = archiveFiles::read(from.path, PlayerRecord::Size).join();
            QVERIFY(from.open());
            from.fake.answers = {platform::Answer::Yes, platform::Answer::No};
            from.fake.onDialog = [](QObject* dialog) {
                qobject_cast<QWidget*>(dialog)->show();
                QTest::mouseClick(widgets::find<PictureButton>(dialog, u"cmdEsportaXlsx"_s), Qt::LeftButton);
            };
            from.click(u"cmdEsporta"_s);
            workbookPath = keep.filePath(u"Archivio_Giocatori.xlsx"_s);
            QVERIFY(QFile::copy(from.folder.file(u"Archivio_Giocatori.xlsx"_s), workbookPath));
        }
        PlayerEditor into;
        QVERIFY(into.open());
        into.fake.fileAnswers = {workbookPath};
        QStringList issues;
        into.fake.onDialog = [&](QObject* dialog) {
            issues = column(widgets::find<QTableWidget>(dialog, u"grdSegnalazioni"_s), 1);
            widgets::find<QPushButton>(dialog, u"btnImporta"_s)->click();
        };
        into.click(u"cmdImporta"_s);
        QCOMPARE(issues, QStringList());
        QCOMPARE(archiveFiles::read(into.path, PlayerRecord::Size).join(), original);
        QCOMPARE(into.field(u"txtAltezza"_s)->text(), u"1,62 m"_s);
    }

    // A players' sheet without the card columns: the window says so before the rows, names every
    // reason of a rejected row, fits the screen (scrolling where it must) with Importa reachable
    // and pressed by Enter; the next file is chosen from the same folder.
    void playerSheetWithColumnsMissing()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        QTemporaryDir season;
        const QString path = season.filePath(u"rosa.csv"_s);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Cognome;Nome;Sesso;Squadra;Scadenza certificato\r\n"
                       "Ferri;Andrea;M;Aquile;30/09/2027\r\n"
                       "Longo;;;Falchi;31/02/2027\r\n");
        }
        e.fake.fileAnswers = {path};
        e.fake.answers = {platform::Answer::No};
        QString mandatory, missing;
        QStringList issues;
        QRect screen, window, importa;
        bool enterAsked = false;
        e.fake.onDialog = [&](QObject* opened) {
            auto* dialog = qobject_cast<QDialog*>(opened);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            mandatory = widgets::find<QLabel>(dialog, u"lblObbligatori"_s)->text();
            missing = widgets::find<QLabel>(dialog, u"lblMancanti"_s)->text();
            issues = column(widgets::find<QTableWidget>(dialog, u"grdSegnalazioni"_s), 1);
            screen = dialog->screen()->availableGeometry();
            window = dialog->frameGeometry();
            // Reached from the keyboard: the panel scrolls to the button that gets the focus.
            auto* button = widgets::find<QPushButton>(dialog, u"btnImporta"_s);
            button->setEnabled(true);  // every row is rejected here; enabled to try the keys
            button->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            importa = QRect(button->mapTo(dialog, QPoint(0, 0)), button->size());
            QTest::keyClick(dialog, Qt::Key_Return);
            enterAsked = !e.fake.messages.isEmpty() && e.fake.messages.last().kind == MessageKind::Question;
            dialog->reject();
        };
        e.click(u"cmdImporta"_s);
        QCOMPARE(mandatory, u"Campi obbligatori: Cognome e nome, Sesso, Squadra, Tessera n., Scadenza tessera, "
                            u"Scadenza cert. medico"_s);
        QCOMPARE(missing, u"Mancano le colonne obbligatorie: Tessera n., Scadenza tessera"_s);
        QCOMPARE(issues, (QStringList{u"Scartata: mancano \u00ABTessera n.\u00BB, \u00ABScadenza tessera\u00BB"_s,
                                      u"Scartata: mancano \u00ABSesso\u00BB, \u00ABTessera n.\u00BB, \u00ABScadenza tessera\u00BB; "
                                      u"data non valida in \u00ABScadenza cert. medico\u00BB: 31/02/2027"_s}));
        QVERIFY2(screen.contains(window), qPrintable(u"%1x%2 on %3x%4"_s.arg(window.width()).arg(window.height())
                                                       .arg(screen.width()).arg(screen.height())));
        QVERIFY(QRect(QPoint(0, 0), window.size()).contains(importa));
        QVERIFY(enterAsked);

        // The next import starts where this file was.
        e.fake.onDialog = {};
        e.click(u"cmdImporta"_s);
        QCOMPARE(e.fake.fileRequests.size(), 2);
        QCOMPARE(e.fake.fileRequests.at(1).folder, season.path());
    }
};

QTEST_MAIN(TestImportDialog)
#include "tst_importdialog.moc"
