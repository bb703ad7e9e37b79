// What the player archive puts on paper and in a spreadsheet: the sheet's template and filling,
// and the export's columns.
#include "output/ReportLayout.h"
#include "output/Spreadsheet.h"
#include "players/PlayerExport.h"
#include "players/PlayerSheet.h"
#include "storage/PlayerRecord.h"

#include "ArchiveFiles.h"
#include "SheetMarkup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr double Mm = report::unitsPerMm;
const QColor RoyalBlue(0x41, 0x69, 0xE1);

bool near(const QRectF& a, const QRectF& b)
{
    return qAbs(a.x() - b.x()) < 0.01 && qAbs(a.y() - b.y()) < 0.01 && qAbs(a.width() - b.width()) < 0.01
        && qAbs(a.height() - b.height()) < 0.01;
}

QRectF mm(double left, double top, double width, double height)
{
    return {left * Mm, top * Mm, width * Mm, height * Mm};
}

QString describe(const QRectF& r)
{
    return u"(%1, %2, %3, %4) mm"_s.arg(r.x() / Mm).arg(r.y() / Mm).arg(r.width() / Mm).arg(r.height() / Mm);
}

}  // namespace

class TestPlayerOutputs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every captioned box: a blue strip with the caption in white capitals, and 5 mm below its
    // top a 6 mm outlined box holding the value on one line.
    void sheetBoxes_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("centred");
        const auto box = [](double top, double left, double width, const char* caption, const char* value, bool centred) {
            QTest::newRow(value) << top << left << width << QString::fromUtf8(caption) << QString::fromUtf8(value) << centred;
        };
        box(153, 1, 58, "LUOGO DI NASCITA", "txtLuogoNasc", false);
        box(153, 61, 32, "DATA DI NASCITA", "txtDataNasc", false);
        box(153, 95, 16, "SESSO", "txtSesso", true);
        box(153, 113, 76, "INDIRIZZO", "txtIndirizzo", false);
        box(167, 1, 58, "CITTA'", "txtCitta", false);
        box(167, 61, 32, "CAP", "txtCap", false);
        box(167, 95, 45, "NAZIONE", "txtNazione", false);
        box(167, 142, 47, "CODICE FISCALE", "txtCodFisc", false);
        box(181, 1, 92, "SQUADRA", "txtSquadra", false);
        box(181, 95, 64, "RUOLO", "txtRuolo", false);
        box(181, 161, 28, "MAGLIA N.", "txtMaglia", true);
        box(195, 1, 45, "PRESENZE", "txtPresenze", true);
        box(195, 48, 45, "RETI", "txtReti", true);
        box(195, 95, 45, "AMMONIZIONI", "txtAmmonizioni", true);
        box(195, 142, 47, "ESPULSIONI", "txtEspulsioni", true);
        box(209, 1, 45, "CITTADINANZA", "txtCittadinanza", false);
        box(209, 48, 45, "TESSERA N.", "txtTessera", false);
        box(209, 95, 45, "SCADENZA TESSERA", "txtInizioTes", false);
        box(209, 142, 47, "SCADENZA CERT. MEDICO", "txtFineTes", false);
        box(223, 1, 92, "E-MAIL", "txtEmail", false);
        box(223, 95, 45, "TEL. CASA", "txtTel", false);
        box(223, 142, 47, "TEL. CELLULARE", "txtCel", false);
        box(237, 1, 92, "RICONOSCIMENTI", "txtRiconoscimenti", false);
        box(237, 95, 45, "ALTEZZA", "txtAltezza", false);
        box(237, 142, 47, "PESO", "txtPeso", false);
        box(251, 1, 139, "INFORTUNI", "txtInfortuni", false);
        box(251, 142, 47, "PIEDE", "txtPiede", false);
        box(265, 1, 188, "NOTE", "txtNote", false);
    }
    void sheetBoxes()
    {
        QFETCH(double, top);
        QFETCH(double, left);
        QFETCH(double, width);
        QFETCH(QString, caption);
        QFETCH(QString, value);
        QFETCH(bool, centred);
        report::Report sheet = playerSheet::make({}, {});
        const QString base = value.mid(3);

        const report::Object& strip = sheet.object(u"shpEtichetta"_s + base);
        QCOMPARE(strip.kind, report::ObjectKind::Rectangle);
        QCOMPARE(strip.fill, RoyalBlue);
        QVERIFY2(near(strip.geometry, mm(left, top, width, 4.8)), qPrintable(describe(strip.geometry)));
        const report::Object& label = sheet.text(u"lbl"_s + base);
        QCOMPARE(label.text(), caption);
        QVERIFY(strip.geometry.contains(label.geometry));
        QCOMPARE(label.font.family, u"Arial"_s);
        QCOMPARE(label.font.pointSize, 8.0);
        QVERIFY(label.font.bold);
        QCOMPARE(label.color, QColor(Qt::white));

        const report::Object& outline = sheet.object(u"shp"_s + base);
        QCOMPARE(outline.kind, report::ObjectKind::Rectangle);
        QVERIFY(outline.frameWidth > 0);
        QVERIFY2(near(outline.geometry, mm(left, top + 5, width, 6)), qPrintable(describe(outline.geometry)));
        const report::Object& text = sheet.text(value);
        QVERIFY(outline.geometry.contains(text.geometry));
        QCOMPARE(text.geometry.height(), outline.geometry.height());
        QVERIFY(!text.wordWrap);
        QCOMPARE(text.font.family, u"Arial"_s);
        QCOMPARE(text.font.pointSize, 8.0);
        QVERIFY(!text.font.bold);
        QCOMPARE(text.color, QColor(Qt::black));
        QCOMPARE(text.alignment, (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }

    // One A4 portrait page with 10 mm margins: the title bar, the photo box and 28 boxes.
    void sheetPage()
    {
        report::Report sheet = playerSheet::make({}, {});
        QCOMPARE(sheet.title(), u"Scheda Giocatore"_s);
        QCOMPARE(sheet.pages().size(), 1);
        const report::Page& page = sheet.pages().first();
        QCOMPARE(page.paper.id(), QPageSize::A4);
        QCOMPARE(page.orientation, QPageLayout::Portrait);
        QCOMPARE(page.marginsMm, QMarginsF(10, 10, 10, 10));

        QCOMPARE(sheet.object(u"shpTitolo"_s).fill, RoyalBlue);
        QVERIFY(near(sheet.object(u"shpTitolo"_s).geometry, mm(1, 1, 188, 8)));
        const report::Object& title = sheet.text(u"txtGiocatore"_s);
        QVERIFY(near(title.geometry, mm(1, 1, 188, 8)));
        QCOMPARE(title.font.pointSize, 12.0);
        QCOMPARE(title.color, QColor(Qt::white));
        QCOMPARE(title.alignment, Qt::AlignHCenter | Qt::AlignVCenter);
        QVERIFY(near(sheet.picture(u"imgLogo"_s).geometry, mm(1, 11, 188, 140)));

        int captions = 0;
        for (const report::Object& object : page.bands.first().objects)
            captions += object.name.startsWith(u"lbl"_s) ? 1 : 0;
        QCOMPARE(captions, 28);
        QCOMPARE(playerSheet::valueNames().size(), 29);
        for (const QString& name : playerSheet::valueNames())
            QCOMPARE(sheet.text(name).kind, report::ObjectKind::Text);

        report::Report blank = report::Report::load(u"player_sheet"_s);
        QCOMPARE(blank.text(u"txtGiocatore"_s).text(), u"Nome"_s);  // replaced when filled
        QCOMPARE(report::prepare(sheet, QDate(2026, 12, 9)).pages.size(), 1);
    }

    // The sheet shows the texts as given, trimmed and on one line; the title's design text gives
    // way to the name, even an empty one; the photo arrives no larger than its box in print.
    void sheetIsFilled()
    {
        QImage photo(6000, 4000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        const report::Report sheet = playerSheet::make(
            {{u"txtIndirizzo"_s, u"  Via Roma 1 \t"_s}, {u"txtNote"_s, u"prima riga\r\nseconda riga"_s},
             {u"txtPresenze"_s, u"0"_s}, {u"txtAltro"_s, u"ignorato"_s}},
            photo);
        const report::PreparedReport prepared = report::prepare(sheet, QDate(2026, 12, 9));
        const report::PreparedPage& page = prepared.pages.first();
        QCOMPARE(page.itemsNamed(u"txtIndirizzo"_s).first()->text(), u"Via Roma 1"_s);
        QCOMPARE(page.itemsNamed(u"txtNote"_s).first()->lines, QStringList{u"prima riga seconda riga"_s});
        QCOMPARE(page.itemsNamed(u"txtPresenze"_s).first()->text(), u"0"_s);
        QCOMPARE(page.itemsNamed(u"txtGiocatore"_s).first()->text(), QString());
        QCOMPARE(page.itemsNamed(u"txtCap"_s).first()->text(), QString());

        const report::Object& picture = *page.itemsNamed(u"imgLogo"_s).first();
        // 188 × 140 mm at 300 dots per inch is 2221 × 1654 dots; the photo keeps its proportions.
        QCOMPARE(picture.image.width(), 2221);
        QVERIFY(qAbs(picture.image.height() - 1481) <= 1);
        QCOMPARE(picture.image.pixelColor(1000, 700), QColor(Qt::darkGreen));
        // Measured from the printable area, 10 mm in from the paper's corner.
        QVERIFY(near(picture.geometry, mm(11, 21, 188, 140)));
    }

    // Two players read from their archive and written as the spreadsheet: the 25 columns with
    // their widths; sex, height, weight and awards left out; dates and counts as stored.
    void exportOfTwoPlayers()
    {
        QTemporaryDir folder;
        const QString archive = folder.filePath(u"Archivio_Giocatori.pro"_s);
        PlayerRecord first;
        first.Giocatore = u"Rossi Mario"_s;
        first.Sesso = u"M"_s;
        first.DataNasc = u"5/3/1990"_s;
        first.Cittadinanza = u"Italiana"_s;
        first.LuogoNasc = u"Roma"_s;
        first.Indirizzo = u"Via <Roma> 1"_s;
        first.Citta = u"Citt\u00E0 di Castello"_s;
        first.Cap = u"06012"_s;
        first.Nazione = u"Italia"_s;
        first.CodFisc = u"RSSMRA90C05H501X"_s;
        first.Squadra = u"Aquile & Falchi"_s;
        first.Maglia = u"10"_s;
        first.Ruolo = u"Attaccante"_s;
        first.Altezza = u"182 cm"_s;
        first.Peso = u"77 kg"_s;
        first.Piede = u"Destro"_s;
        first.Email = u"mario@esempio.it"_s;
        first.Tel = u"06 123"_s;
        first.Cel = u"333 456"_s;
        first.Tessera = u"T-1"_s;
        first.ScadTessera = u"30/06/2027"_s;
        first.ScadCertificato = u"31/01/2027"_s;
        first.Presenze = u"12"_s;
        first.Reti = u"7"_s;
        first.Riconoscimenti = u"Capocannoniere"_s;
        first.Ammonizioni = u"2"_s;
        first.Espulsioni = u"1"_s;
        first.Infortuni = u"Caviglia"_s;
        first.Note = u"Capitano"_s;
        first.File01 = u"visita.pdf"_s;
        first.Desc01 = u"Visita medica"_s;
        PlayerRecord second;
        second.Giocatore = u"Bianchi Anna"_s;
        second.Sesso = u"F"_s;
        second.Squadra = u"Lupi"_s;
        second.Tessera = u"T-2"_s;
        second.ScadTessera = u"01/02/2027"_s;
        second.ScadCertificato = u"03/04/2027"_s;
        second.Presenze = second.Reti = second.Ammonizioni = second.Espulsioni = u"0"_s;
        QVERIFY(archiveFiles::writeRecords(archive, QList<PlayerRecord>{first, second}));

        const spreadsheet::Sheet& sheet = playerExport::sheet();
        const spreadsheet::Table rows = spreadsheet::read(archive, recordFormat(PlayerRecord::Layout), sheet);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.position(1), 2);
        const QByteArray document = spreadsheet::document(sheet, rows);

        const QList<std::pair<QByteArray, int>> headers = {
            {"Cognome e nome", 250}, {"Data nascita", 200}, {"Cittadinanza", 250}, {"Luogo nascita", 250},
            {"Indirizzo residenza", 300}, {"Citt\xE0", 250}, {"CAP", 150}, {"Nazione", 250},
            {"Codice fiscale", 250}, {"Squadra", 280}, {"Maglia n.", 200}, {"Ruolo", 250}, {"Piede", 250},
            {"E-mail", 250}, {"Tel. casa", 200}, {"Tel. cellulare", 200}, {"Tessera n.", 250},
            {"Scadenza tessera", 200}, {"Scadenza cert. medico", 200}, {"Presenze", 180}, {"Reti", 180},
            {"Ammonizioni", 180}, {"Espulsioni", 180}, {"Infortuni", 400}, {"Note", 400}};
        const QByteArray headerRow = sheetMarkup::headerRow(headers);
        using sheetMarkup::dataRow;
        const QByteArray expected =
            "<table x:str>" + headerRow
            + dataRow({"Rossi Mario", "5/3/1990", "Italiana", "Roma", "Via &lt;Roma&gt; 1", "Citt\xE0 di Castello",
                       "06012", "Italia", "RSSMRA90C05H501X", "Aquile &amp; Falchi", "10", "Attaccante", "Destro",
                       "mario@esempio.it", "06 123", "333 456", "T-1", "30/06/2027", "31/01/2027", "12", "7", "2", "1",
                       "Caviglia", "Capitano"})
            + dataRow({"Bianchi Anna", "", "", "", "", "", "", "", "", "Lupi", "", "", "", "", "", "", "T-2",
                       "01/02/2027", "03/04/2027", "0", "0", "0", "0", "", ""})
            + "</table></body></html>";
        QVERIFY(document.contains("<x:Name>Archivio Giocatori</x:Name>"));
        QVERIFY2(document.endsWith(expected), document.constData());
        for (const char* absent : {"182 cm", "77 kg", "Capocannoniere", "visita.pdf", "Visita medica", ">M<", ">F<"})
            QVERIFY2(!document.contains(absent), absent);
        QCOMPARE(sheet.fileName, u"Archivio_Giocatori.xls"_s);
        QCOMPARE(sheet.columns.size(), 25);

        // The screen's export streams the same document straight from the archive.
        const QString streamed = folder.filePath(sheet.fileName);
        QVERIFY(spreadsheet::write(streamed, sheet, archive, recordFormat(PlayerRecord::Layout)));
        const auto onDisk = [&streamed] {
            QFile file(streamed);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QCOMPARE(onDisk(), document);

        // An archive that cannot be read (here a folder under its name) makes no file and leaves
        // the old one as it was.
        const QString blocked = folder.filePath(u"Bloccato"_s);
        QVERIFY(QDir().mkdir(blocked));
        QVERIFY(!spreadsheet::write(streamed, sheet, blocked, recordFormat(PlayerRecord::Layout)));
        QCOMPARE(onDisk(), document);
    }
};

QTEST_GUILESS_MAIN(TestPlayerOutputs)
#include "tst_playeroutputs.moc"
