// The team archive's own rules without a window: the row every team list shows, which teams the
// selected list and the import take, and the printed sheet's template and footer.
#include "output/ReportLayout.h"
#include "output/Spreadsheet.h"
#include "storage/ArchiveError.h"
#include "storage/TeamRecord.h"
#include "teams/TeamExport.h"
#include "teams/TeamRows.h"
#include "teams/TeamSheet.h"

#include "PdfText.h"
#include "SheetMarkup.h"

#include "output/ReportPainter.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestTeams : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void row_data()
    {
        QTest::addColumn<QString>("squadra");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("allenatore");
        QTest::addColumn<QString>("responsabile");
        QTest::addColumn<QString>("telefono");
        QTest::addColumn<QString>("row");
        QTest::newRow("padded, phone as it is")
            << "Aquile" << "Comunale" << "Rossi" << "Bianchi" << "333 123"
            << "Aquile                        Campo: Comunale                        All. Rossi                     "
               "  Resp. Bianchi                     Tel. 333 123";
        QTest::newRow("each column cut at its width")
            << QString(30, u'S') << QString(32, u'C') << QString(27, u'A') << QString(28, u'R') << QString(40, u'7')
            << QString(28, u'S') + u"  Campo: "_s + QString(30, u'C') + u"  All. "_s + QString(26, u'A') + u"  Resp. "_s
                   + QString(26, u'R') + u"  Tel. "_s + QString(40, u'7');
        QTest::newRow("blanks around the fields go, inside they stay")
            << "  Nuova Roma " << "" << "" << "" << " 06 55 "
            << u"Nuova Roma"_s + QString(18, u' ') + u"  Campo: "_s + QString(30, u' ') + u"  All. "_s
                   + QString(26, u' ') + u"  Resp. "_s + QString(26, u' ') + u"  Tel. 06 55"_s;
    }

    void row()
    {
        QFETCH(QString, squadra);
        QFETCH(QString, campo);
        QFETCH(QString, allenatore);
        QFETCH(QString, responsabile);
        QFETCH(QString, telefono);
        QFETCH(QString, row);
        QCOMPARE(teamRows::row(squadra, campo, allenatore, responsabile, telefono), row);

        // The lists and the search make the same row from the stored record.
        TeamRecord team;
        team.Squadra = squadra;
        team.Campo = campo;
        team.Allenatore = allenatore;
        team.Responsabile = responsabile;
        team.Telefono = telefono;
        team.Colori = u"giallo"_s;
        const QByteArray bytes = team.toBytes();
        QCOMPARE(teamRows::row(QByteArrayView(bytes)), row);
    }

    void whichTeamsAreListed_data()
    {
        QTest::addColumn<QString>("squadra");
        QTest::addColumn<QByteArray>("mark");  // the stored bytes of Selezionata, length first
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("named");
        QTest::newRow("S\u00EC") << "Aquile" << QByteArray("\x02S\xEC", 3) << true << true;
        QTest::newRow("No") << "Aquile" << QByteArray("\x02No", 3) << false << true;
        QTest::newRow("empty") << "Aquile" << QByteArray("\x00\x00\x00", 3) << false << true;
        QTest::newRow("si without accent") << "Aquile" << QByteArray("\x02Si", 3) << false << true;
        QTest::newRow("capital S\u00CC") << "Aquile" << QByteArray("\x02S\xCC", 3) << false << true;
        QTest::newRow("no name") << "" << QByteArray("\x02S\xEC", 3) << true << false;
        QTest::newRow("blank name") << "   " << QByteArray("\x02No", 3) << false << false;
    }

    void whichTeamsAreListed()
    {
        QFETCH(QString, squadra);
        QFETCH(QByteArray, mark);
        QFETCH(bool, selected);
        QFETCH(bool, named);
        TeamRecord team;
        team.Squadra = squadra;
        QByteArray bytes = team.toBytes();
        bytes.replace(TeamRecord::Layout.offsetOf("Selezionata"), 3, mark);
        QCOMPARE(teamRows::isSelected(bytes), selected);
        QCOMPARE(teamRows::hasName(bytes), named);
    }

    // A record of the wrong size is an archive failure, never a read past its end.
    void shortRecordIsRefused()
    {
        const QByteArray bytes = TeamRecord().toBytes().left(100);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, teamRows::row(QByteArrayView(bytes)));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, teamRows::isSelected(bytes));
    }

    void sheetTemplate()
    {
        const report::Report sheet = teamSheet::make({}, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
        const report::Page& page = sheet.pages().first();
        QCOMPARE(page.paper.id(), QPageSize::A4);
        QCOMPARE(page.orientation, QPageLayout::Portrait);
        QCOMPARE(page.marginsMm, QMarginsF(10, 10, 10, 10));

        const QStringList labels = {
            u"Nome squadra:"_s, u"Colori:"_s, u"Sede:"_s, u"Campo:"_s, u"Presidente:"_s, u"Allenatore:"_s,
            u"Capitano:"_s, u"Capocannoniere di squadra:"_s, u"Portieri:"_s, u"Difensori:"_s, u"Centrocampisti:"_s,
            u"Attaccanti:"_s, u"Data fondazione:"_s, u"Fondatore:"_s, u"Responsabile:"_s, u"Telefono:"_s,
            u"E-mail:"_s, u"Palmar\u00E8s:"_s, u"Note:"_s};
        QCOMPARE(teamSheet::valueNames().size(), 19);
        report::Report copy = sheet;
        const auto near = [](const QRectF& a, const QRectF& b) {
            return qAbs(a.x() - b.x()) < 0.01 && qAbs(a.y() - b.y()) < 0.01 && qAbs(a.width() - b.width()) < 0.01
                && qAbs(a.height() - b.height()) < 0.01;
        };
        for (int r = 0; r < 19; ++r) {
            const QString row = QString::number(r).rightJustified(2, u'0');
            const report::Object& frame = copy.object(u"shpRiga"_s + row);
            const report::Object& label = copy.text(u"lblRiga"_s + row);
            const report::Object& value = copy.text(teamSheet::valueNames().at(r));
            QCOMPARE(frame.kind, report::ObjectKind::Rectangle);
            QVERIFY(frame.frameWidth > 0);
            QVERIFY(!frame.fill.isValid());
            QVERIFY2(near(frame.geometry, {3.78, 26.46 + 18.90 * r, 710.55, 17.39}), qPrintable(row));
            QVERIFY2(near(label.geometry, {7.56, 28.35 + 18.90 * r, 142.87, 13.23}), qPrintable(row));
            QVERIFY2(near(value.geometry, {166.30, 28.35 + 18.90 * r, 544.25, 13.23}), qPrintable(row));
            QCOMPARE(label.text(), labels.at(r));
            QCOMPARE(label.font.pointSize, 7.0);
            QCOMPARE(value.font.family, u"Arial"_s);
            QVERIFY(!value.wordWrap);
        }
        QCOMPARE(copy.text(u"txtTitolo"_s).text(), u"SCHEDA SQUADRA"_s);
        QVERIFY(near(copy.object(u"shpTitolo"_s).geometry, {3.78, 3.78, 710.55, 21.92}));
        QVERIFY(near(copy.object(u"linColonna"_s).geometry, {158.74, 26.46, 0, 357.54}));
        QVERIFY(near(copy.object(u"shpCalce"_s).geometry, {3.78, 389.29, 710.55, 21.92}));
        QVERIFY(near(copy.text(u"txtCalce"_s).geometry, {7.56, 393.07, 702.24, 15.87}));
    }

    void sheetIsFilledAndLaidOut()
    {
        const report::Report sheet = teamSheet::make(
            {{u"txtSquadra"_s, u"  Aquile \t"_s}, {u"txtEmail"_s, u"a@b.it"_s}, {u"txtAltro"_s, u"ignorato"_s}},
            QDateTime(QDate(2024, 3, 5), QTime(9, 4, 3)));
        const report::PreparedReport prepared = report::prepare(sheet, QDate(2024, 3, 5));
        QCOMPARE(prepared.pages.size(), 1);
        const report::PreparedPage& page = prepared.pages.first();
        QCOMPARE(page.itemsNamed(u"txtSquadra"_s).first()->text(), u"Aquile"_s);
        QCOMPARE(page.itemsNamed(u"txtEmail"_s).first()->text(), u"a@b.it"_s);
        QCOMPARE(page.itemsNamed(u"txtNote"_s).first()->text(), QString());
        QCOMPARE(page.itemsNamed(u"txtCalce"_s).first()->text(), u"Stampa eseguita in data 05/03/2024 alle ore 09:04:03"_s);
        // Measured from the printable area, 10 mm in from the paper's corner.
        const double margin = 10 * report::unitsPerMm;
        const QRectF title = page.itemsNamed(u"shpTitolo"_s).first()->geometry;
        QVERIFY(qAbs(title.left() - (margin + 3.78)) < 0.01);
        QVERIFY(qAbs(title.top() - (margin + 3.78)) < 0.01);
    }

    // A team's texts are printed as typed: "[DATE]" in any of them is no variable.
    void sheetPrintsTheTextsLiterally()
    {
        QHash<QString, QString> values;
        for (const QString& name : teamSheet::valueNames())
            values.insert(name, name + u" [DATE] fine"_s);
        const report::PreparedReport prepared =
            report::prepare(teamSheet::make(values, QDateTime(QDate(2026, 12, 10), QTime(9, 0))), QDate(2026, 12, 10));
        QTemporaryDir folder;
        const QString path = folder.filePath(u"scheda.pdf"_s);
        report::writePdf(prepared, path);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QList<QStringList> pages = pdfText::Document(pdf.readAll()).pages();
        QCOMPARE(pages.size(), 1);
        const QString text = pages.first().join(u'\n');
        for (const QString& name : teamSheet::valueNames())
            QVERIFY2(text.contains(name + u" [DATE] fine"_s), qPrintable(name));
        QVERIFY(!text.contains(u"10/12/2026 fine"_s));
    }

    // Two teams read from their archive and written as the spreadsheet: the twenty columns with
    // their widths, every cell present (an empty note too), the mark as stored, no attachment.
    void exportOfTwoTeams()
    {
        QTemporaryDir folder;
        const QString archive = folder.filePath(u"Archivio_Squadre.pro"_s);
        TeamRecord first;
        first.Squadra = u"Aquile"_s;
        first.Colori = u"Bianco & azzurro"_s;
        first.Palmares = u"Coppa <2024>"_s;
        first.Note = u"Note"_s;
        first.setSelezionata(true);
        first.File01 = u"rosa.pdf"_s;
        first.Desc01 = u"Rosa"_s;
        TeamRecord second;
        second.Squadra = u"Lupi"_s;
        second.Telefono = u"06 123"_s;
        second.setSelezionata(false);
        {
            QFile file(archive);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(first.toBytes() + second.toBytes());
        }
        const spreadsheet::Table rows = spreadsheet::read(archive, recordFormat(TeamRecord::Layout), teamExport::sheet());
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.position(1), 2);
        const QByteArray document = spreadsheet::document(teamExport::sheet(), rows);

        const QList<std::pair<QByteArray, int>> headers = {
            {"Squadra", 300}, {"Colori", 250}, {"Sede", 250}, {"Campo", 250}, {"Presidente", 250},
            {"Allenatore", 250}, {"Capitano", 250}, {"Capocannoniere di squadra", 300}, {"Portieri", 400},
            {"Difensori", 400}, {"Centrocampisti", 400}, {"Attaccanti", 400}, {"Data fondazione", 200},
            {"Fondatore", 250}, {"Responsabile", 250}, {"Telefono", 200}, {"E-mail", 250}, {"Palmar\xE8s", 400},
            {"Note", 400}, {"Selezionata", 180}};
        const QByteArray headerRow = sheetMarkup::headerRow(headers);
        using sheetMarkup::dataRow;
        const QByteArray expectedRows =
            headerRow
            + dataRow({"Aquile", "Bianco &amp; azzurro", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
                       "Coppa &lt;2024&gt;", "Note", "S\xEC"})
            + dataRow({"Lupi", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "06 123", "", "", "", "No"})
            + "</table></body></html>";
        QVERIFY(document.contains("<x:Name>Archivio Squadre</x:Name>"));
        QVERIFY2(document.endsWith(expectedRows), document.constData());
        QVERIFY(!document.contains("rosa.pdf"));
        QCOMPARE(teamExport::sheet().fileName, u"Archivio_Squadre.xls"_s);
    }

    void footer_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("footer");
        QTest::newRow("day and month with two digits")
            << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)) << "Stampa eseguita in data 05/03/2024 alle ore 14:07:09";
        QTest::newRow("afternoon on the 24-hour clock")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << "Stampa eseguita in data 31/12/2026 alle ore 23:59:59";
        QTest::newRow("midnight") << QDateTime(QDate(2025, 1, 1), QTime(0, 0)) << "Stampa eseguita in data 01/01/2025 alle ore 00:00:00";
    }

    void footer()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, footer);
        // Whatever the system's language, the footer reads the same.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(teamSheet::footer(when), footer);
        QLocale::setDefault(before);
    }
};

QTEST_MAIN(TestTeams)
#include "tst_teams.moc"
