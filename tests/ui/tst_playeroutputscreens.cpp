// The player editor's outputs: the sheet in the preview and on the printer, drawn from what the
// screen shows, and the export of the whole archive.
#include "common/HelpTopics.h"
#include "output/Anteprima.h"
#include "players/ExpGiocatori.h"
#include "players/StampaGiocatore.h"
#include "player_editor.h"

#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

QPushButton* button(const QObject* dialog, const QString& name) { return widgets::find<QPushButton>(dialog, name); }

enum class Output { Preview, Print };

// Opens the sheet from the editor's button for `output`, lets `inDialog` act on the sheet's
// dialog, and returns the document that reached the preview or the printer (none: no pages).
report::PreparedReport sheetOf(PlayerEditor& e, Output output, const std::function<void(QDialog&)>& inDialog)
{
    report::PreparedReport shown;
    const auto previous = e.fake.onDialog;
    e.fake.onDialog = [&](QObject* dialog) {
        if (auto* sheet = qobject_cast<PlayerSheetDialog*>(dialog)) {
            inDialog(*sheet);
            return;
        }
        if (previous)
            previous(dialog);
        if (auto* preview = qobject_cast<TfrmAnteprima*>(dialog))
            shown = preview->document();
    };
    const qsizetype printedBefore = e.fake.printJobs.size();
    e.click(output == Output::Preview ? u"cmdAnteprima"_s : u"cmdStampa"_s);
    e.fake.onDialog = previous;
    if (output == Output::Print && e.fake.printJobs.size() > printedBefore)
        shown = e.fake.printJobs.last().document;
    return shown;
}

void press(QDialog& dialog) { button(&dialog, u"btnStampa"_s)->click(); }

QString text(const report::PreparedReport& document, const QString& name)
{
    const QList<const report::Object*> items = document.pages.value(0).itemsNamed(name);
    return items.isEmpty() ? u"<missing>"_s : items.first()->text();
}

QImage picture(const report::PreparedReport& document)
{
    const QList<const report::Object*> items = document.pages.value(0).itemsNamed(u"imgLogo"_s);
    return items.isEmpty() ? QImage() : items.first()->image;
}

}  // namespace

Q_DECLARE_METATYPE(Output)
Q_DECLARE_METATYPE(platform::PrintResult)

class TestPlayerOutputScreens : public QObject {
    Q_OBJECT

private slots:
    void sheetShowsTheScreen_data()
    {
        QTest::addColumn<Output>("output");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("action");
        QTest::newRow("preview") << Output::Preview << "TfrmAnteprimaGiocatore" << " Anteprima di stampa" << "Mostra anteprima";
        QTest::newRow("print") << Output::Print << "TfrmStampaGiocatore" << " Stampa scheda" << "Stampa";
    }

    // What is typed and not saved is on the sheet, trimmed; a record never saved has empty
    // boxes, its counts at "0", an empty title and the placeholder picture. Nothing is saved.
    void sheetShowsTheScreen()
    {
        QFETCH(Output, output);
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QString, action);
        PlayerEditor e;
        QVERIFY(e.open());

        const report::PreparedReport blank = sheetOf(e, output, [&](QDialog& sheet) {
            QCOMPARE(sheet.windowTitle(), caption);
            QCOMPARE(sheet.parent(), static_cast<QObject*>(&e.screen));  // centred on the editor
            QCOMPARE(button(&sheet, u"btnAnnulla"_s)->text(), u"Annulla"_s);
            QCOMPARE(button(&sheet, u"btnStampa"_s)->text(), action);
            press(sheet);
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        });
        QCOMPARE(e.fake.dialogsRun.first(), dialog);
        QCOMPARE(blank.pages.size(), 1);
        QCOMPARE(blank.title, u"Scheda Giocatore"_s);
        QCOMPARE(text(blank, u"txtGiocatore"_s), QString());
        for (const char* name : {"txtLuogoNasc", "txtSquadra", "txtInizioTes", "txtNote"})
            QCOMPARE(text(blank, QLatin1String(name)), QString());
        for (const char* name : {"txtPresenze", "txtReti", "txtAmmonizioni", "txtEspulsioni"})
            QCOMPARE(text(blank, QLatin1String(name)), u"0"_s);
        QCOMPARE(picture(blank), placeholder());

        e.fillMandatory(u"  Rossi Mario  "_s);
        e.field(u"txtIndirizzo"_s)->setText(u"Via Roma 1 "_s);
        e.field(u"txtReti"_s)->setText(u"7"_s);
        const report::PreparedReport typed = sheetOf(e, output, press);
        QCOMPARE(text(typed, u"txtGiocatore"_s), u"Rossi Mario"_s);
        QCOMPARE(text(typed, u"txtIndirizzo"_s), u"Via Roma 1"_s);
        QCOMPARE(text(typed, u"txtReti"_s), u"7"_s);
        QCOMPARE(text(typed, u"txtInizioTes"_s), u"30/06/2027"_s);
        QCOMPARE(text(typed, u"txtSesso"_s), u"M"_s);
        QVERIFY(e.fake.messages.isEmpty());
        QCOMPARE(e.records().size(), 0);
    }

    // A photo taken with the webcam and not saved is on the sheet; a large one is kept reduced to
    // what its box holds in print, and prints so.
    void unsavedWebcamPhotoIsPrinted()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        e.fake.onDialog = [&](QObject* dialog) {
            button(dialog, u"btnAccendi"_s)->click();
            e.fake.sendFrame(plainPicture({6000, 4000}, Qt::red));
            button(dialog, u"btnCattura"_s)->click();
            button(dialog, u"btnImportaFoto"_s)->click();
        };
        e.click(u"btnWebcam"_s);
        QCOMPARE(e.photo().size(), QSize(2221, 1480));

        const report::PreparedReport printed = sheetOf(e, Output::Print, press);
        QCOMPARE(e.fake.printJobs.size(), 1);
        const QImage shown = picture(printed);
        QCOMPARE(shown.width(), 2221);  // 188 mm at 300 dots per inch
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
        QVERIFY(e.fake.messages.isEmpty());
    }

    // Without a picture in the photo box the sheet carries the dialog's stand-in picture.
    void standInWithoutPhoto()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        e.screen.setPhoto(QImage());
        const report::PreparedReport printed = sheetOf(e, Output::Print, press);
        QCOMPARE(picture(printed), PlayerSheetDialog::standIn());
        QCOMPARE(PlayerSheetDialog::standIn().size(), QSize(297, 184));
    }

    void cancelProducesNothing_data()
    {
        QTest::addColumn<Output>("output");
        QTest::newRow("preview") << Output::Preview;
        QTest::newRow("print") << Output::Print;
    }
    void cancelProducesNothing()
    {
        QFETCH(Output, output);
        PlayerEditor e;
        QVERIFY(e.open());
        const report::PreparedReport shown = sheetOf(e, output, [](QDialog& sheet) {
            button(&sheet, u"btnAnnulla"_s)->click();
            QCOMPARE(sheet.result(), int(QDialog::Rejected));
        });
        QVERIFY(shown.pages.isEmpty());
        QCOMPARE(e.fake.dialogsRun.size(), 1);
        QVERIFY(e.fake.printJobs.isEmpty());
        QVERIFY(e.fake.messages.isEmpty());
    }

    void failureWarns_data()
    {
        QTest::addColumn<Output>("output");
        QTest::addColumn<bool>("throws");  // the sheet cannot be drawn
        QTest::addColumn<platform::PrintResult>("result");
        QTest::addColumn<QString>("warning");  // empty: no message at all
        const QString printWarning =
            u"Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto."_s;
        QTest::newRow("the sheet cannot be drawn") << Output::Print << true << platform::PrintResult::Printed << printWarning;
        QTest::newRow("the printer does not take it") << Output::Print << false << platform::PrintResult::Failed << printWarning;
        QTest::newRow("the preview fails")
            << Output::Preview << true << platform::PrintResult::Printed
            << "Attenzione: la visualizzazione dell'anteprima di stampa non \u00E8 andata a buon fine.\n\r\n\r"
               "Si consiglia di ridurre le dimensioni della foto.";
        QTest::newRow("the print dialog is cancelled") << Output::Print << false << platform::PrintResult::Cancelled << QString();
    }
    // A failure shows the warning and closes the dialog; a cancelled print dialog is no failure.
    void failureWarns()
    {
        QFETCH(Output, output);
        QFETCH(bool, throws);
        QFETCH(platform::PrintResult, result);
        QFETCH(QString, warning);
        PlayerEditor e;
        QVERIFY(e.open());
        if (output == Output::Print) {
            e.fake.printFailure = throws ? u"printer out of order"_s : QString();
            e.fake.printResult = result;
        } else {
            e.fake.onDialog = [](QObject* dialog) {
                if (qobject_cast<TfrmAnteprima*>(dialog))
                    throw std::runtime_error("preview window failed");
            };
        }
        sheetOf(e, output, [](QDialog& sheet) {
            press(sheet);
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        });
        QVERIFY(e.fake.printJobs.isEmpty());
        if (warning.isEmpty()) {
            QVERIFY(e.fake.messages.isEmpty());
        } else {
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
            QCOMPARE(e.fake.lastMessage().text, warning);
        }
    }

    // The export shows every player in its grid, trimmed, and writes the spreadsheet of the
    // program folder; its help has three paragraphs.
    void exportsTheArchive()
    {
        PlayerEditor e;
        PlayerRecord third = player(u"Verdi Luca"_s);
        third.Altezza = u"180"_s;
        third.Note = u"Portiere di riserva"_s;
        e.write({player(u"Rossi Mario"_s), player(u"Bianchi Anna"_s), third});
        QVERIFY(e.open());
        QStringList headers;
        QList<int> widths;
        QStringList numbers;
        QString lastNote;
        QObject* owner = nullptr;
        e.fake.answers = {platform::Answer::Yes, platform::Answer::No};  // write it; do not open it
        e.fake.onDialog = [&](QObject* dialog) {
            auto* screen = qobject_cast<QWidget*>(dialog);
            owner = screen->parent();
            screen->show();
            QCOMPARE(screen->windowTitle(), u" Esportazione archivio giocatori in Microsoft Excel"_s);
            auto* grid = widgets::find<QTableView>(screen, u"grdRecords"_s);
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                headers << grid->model()->headerData(c, Qt::Horizontal).toString();
                widths << grid->columnWidth(c);
            }
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                numbers << grid->model()->index(r, 0).data().toString();
            lastNote = grid->model()->index(2, 25).data().toString();
            QTest::mouseClick(widgets::find<PictureButton>(screen, u"cmdEsporta"_s), Qt::LeftButton);
        };
        e.click(u"cmdEsporta"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmExpGiocatori"_s});
        QCOMPARE(owner, static_cast<QObject*>(&e.screen));
        QCOMPARE(headers.size(), 26);
        QCOMPARE(headers.first(), u"N."_s);
        QCOMPARE(headers.at(1), u"Cognome e nome"_s);
        QCOMPARE(headers.at(6), u"Citt\u00E0"_s);
        QCOMPARE(headers.at(19), u"Scadenza cert. medico"_s);
        QCOMPARE(headers.last(), u"Note"_s);
        QCOMPARE(widths.first(), 60);
        QCOMPARE(widths.at(1), 200);
        QCOMPARE(widths.at(5), 250);
        QCOMPARE(widths.last(), 350);
        QCOMPARE(numbers, (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(lastNote, u"Portiere di riserva"_s);

        QFile written(e.folder.file(u"Archivio_Giocatori.xls"_s));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray document = written.readAll();
        QVERIFY(document.contains("<x:Name>Archivio Giocatori</x:Name>"));
        QCOMPARE(document.count("<tr>"), 4);  // the header and the three players
        QVERIFY(document.contains(">Verdi Luca</td>"));
        QVERIFY(!document.contains(">180</td>"));
        QVERIFY(e.fake.opened.isEmpty());

        const HelpTopic topic = help::topic(u"esporta_giocatori"_s);
        QCOMPARE(topic.title, u"Esportazione archivio giocatori in Microsoft Excel"_s);
        const QStringList paragraphs = topic.text.split(u"\r\n\r\n"_s);
        QCOMPARE(paragraphs.size(), 3);
        QCOMPARE(paragraphs.last(),
                 u"A questo punto \u00E8 sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi."_s);
    }
};

QTEST_MAIN(TestPlayerOutputScreens)
#include "tst_playeroutputscreens.moc"
