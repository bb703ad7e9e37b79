// The report engine: templates as data, the layout into pages, the painter and the PDF file.
#include "output/ListSummary.h"
#include "output/PrintChoices.h"
#include "output/Report.h"
#include "output/ReportLayout.h"
#include "output/ReportPainter.h"

#include "FakePlatform.h"
#include "PdfText.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using report::Object;
using report::PreparedPage;
using report::PreparedReport;

namespace {

const QDate Today(2026, 12, 9);

// JSON written with single quotes, for readability.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}
constexpr double Mm = report::unitsPerMm;

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("riga %1").arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

PreparedReport summary(int rows)
{
    return report::prepare(listSummary::make(QStringLiteral("Riepilogo dati"), QStringLiteral("Riepilogo squadre"),
                                             numberedLines(rows)),
                           Today);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    // The list summary is the documented A4 landscape page; a slip in the data file shows here.
    void listSummaryTemplate()
    {
        report::Report summary = report::Report::load(QStringLiteral("list_summary"));
        const report::Page& page = summary.page(0);
        QCOMPARE(page.orientation, QPageLayout::Landscape);
        QCOMPARE(page.paperSize().toSize(), QSize(1123, 794));
        QCOMPARE(page.marginsMm, QMarginsF(10, 10, 10, 10));
        QVERIFY(qAbs(page.printArea().width() - 1046.92981) < 0.001);  // the bands' full width

        QCOMPARE(summary.band(QStringLiteral("ReportTitle")).height, 30.23624);
        QCOMPARE(summary.band(QStringLiteral("Footer")).kind, report::BandKind::DataFooter);
        QVERIFY(summary.band(QStringLiteral("MasterData")).canSplit);

        const Object& title = summary.text(QStringLiteral("txtTitolo"));
        QCOMPARE(title.geometry, QRectF(7.55906, 3.77953, 1031.81169, 18.89765));
        QCOMPARE(title.fill, QColor(112, 128, 144));
        QCOMPARE(title.color, QColor(Qt::white));
        QCOMPARE(title.font.family, QStringLiteral("Verdana"));
        QCOMPARE(title.font.pointSize, 9.0);
        QVERIFY(title.font.bold);
        QCOMPARE(title.alignment, Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(title.text(), QStringLiteral("Riepilogo"));

        const Object& rows = summary.text(QStringLiteral("txtRiepilogo"));
        QCOMPARE(rows.geometry, QRectF(11.33859, 0, 1031.81169, 0));
        QCOMPARE(rows.font.family, QStringLiteral("Courier New"));
        QCOMPARE(rows.font.pointSize, 8.0);
        QVERIFY(!rows.wordWrap);
        QVERIFY(!rows.fill.isValid());

        const Object& footer = summary.text(QStringLiteral("txtPagina"));
        QCOMPARE(footer.geometry, QRectF(11.33859, 7.55906, 1028.03216, 18.89765));
        QCOMPARE(footer.font.pointSize, 8.0);
        QCOMPARE(footer.text(), QStringLiteral("Stampa eseguita in data [DATE]"));
    }

    void badTemplates_data()
    {
        QTest::addColumn<QByteArray>("text");
        const auto oneBand = [](const char* band) {
            return json("{'pages': [{'bands': [%1]}]}").replace("%1", json(band));
        };
        QTest::newRow("not JSON") << QByteArray("{pages: ");
        QTest::newRow("no pages") << json("{'title': 'x'}");
        QTest::newRow("unknown paper") << json("{'pages': [{'paper': 'B7', 'bands': []}]}");
        QTest::newRow("unknown band kind") << oneBand("{'name': 'b', 'kind': 'PageHeader'}");
        QTest::newRow("band without kind") << oneBand("{'name': 'b'}");
        QTest::newRow("unknown object type")
            << oneBand("{'name': 'b', 'kind': 'MasterData', 'objects': [{'name': 'o', 'type': 'chart', 'geometry': [0,0,1,1]}]}");
        QTest::newRow("short geometry")
            << oneBand("{'name': 'b', 'kind': 'MasterData', 'objects': [{'name': 'o', 'geometry': [0,0,1]}]}");
        QTest::newRow("bad colour")
            << oneBand("{'name': 'b', 'kind': 'MasterData', 'objects': [{'name': 'o', 'geometry': [0,0,1,1], 'fill': 'grigio?'}]}");
        QTest::newRow("name used twice")
            << oneBand("{'name': 'b', 'kind': 'MasterData', 'objects': [{'name': 'b', 'geometry': [0,0,1,1]}]}");
    }
    void badTemplates()
    {
        QFETCH(QByteArray, text);
        QVERIFY_THROWS_EXCEPTION(report::ReportError, report::Report::fromJson(text));
    }

    void namesThatAreNotThere()
    {
        QVERIFY_THROWS_EXCEPTION(report::ReportError, report::Report::load(QStringLiteral("nessuno")));
        report::Report summary = report::Report::load(QStringLiteral("list_summary"));
        QVERIFY_THROWS_EXCEPTION(report::ReportError, summary.object(QStringLiteral("txtNessuno")));
        QVERIFY_THROWS_EXCEPTION(report::ReportError, summary.band(QStringLiteral("txtTitolo")));
        QVERIFY_THROWS_EXCEPTION(report::ReportError, summary.picture(QStringLiteral("txtTitolo")));
        QVERIFY_THROWS_EXCEPTION(report::ReportError, summary.page(1));
    }

    // First page: 53 rows under the title; further pages: 56. The footer needs 30.24 units more
    // and goes to a new page when the last rows leave no room for it.
    void pagination_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("rowsPerPage");
        QTest::addColumn<double>("footerBand");  // top of the footer band, below the top margin
        const double title = 30.23624;
        const double row = listSummary::lineHeight;
        QTest::newRow("empty list") << 0 << QList<int>{0} << title + 10;
        QTest::newRow("one row") << 1 << QList<int>{1} << title + row + 10;
        QTest::newRow("fifty rows and the footer fit") << 50 << QList<int>{50} << title + 50 * row + 10;
        QTest::newRow("the footer alone on page two") << 51 << QList<int>{51, 0} << 0.0;
        QTest::newRow("a hundred rows") << 100 << QList<int>{53, 47} << 47 * row + 10;
        QTest::newRow("five pages") << 250 << QList<int>{53, 56, 56, 56, 29} << 29 * row + 10;
    }
    void pagination()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, rowsPerPage);
        QFETCH(double, footerBand);
        const PreparedReport prepared = summary(rows);
        QCOMPARE(prepared.title, QStringLiteral("Riepilogo dati"));
        QCOMPARE(prepared.pages.size(), rowsPerPage.size());

        const double top = 10 * Mm;
        const double bottom = 200 * Mm;
        QStringList printed;
        int titles = 0;
        int footers = 0;
        for (qsizetype index = 0; index < prepared.pages.size(); ++index) {
            const PreparedPage& page = prepared.pages.at(index);
            QCOMPARE(page.orientation, QPageLayout::Landscape);
            const QList<const Object*> title = page.itemsNamed(QStringLiteral("txtTitolo"));
            const QList<const Object*> lines = page.itemsNamed(QStringLiteral("txtRiepilogo"));
            const QList<const Object*> footer = page.itemsNamed(QStringLiteral("txtPagina"));
            titles += int(title.size());
            footers += int(footer.size());
            QCOMPARE(lines.isEmpty() ? 0 : int(lines.first()->lines.size()), rowsPerPage.at(index));
            if (index == 0) {
                QCOMPARE(title.size(), 1);
                QCOMPARE(title.first()->text(), QStringLiteral("Riepilogo squadre"));
                QCOMPARE(title.first()->geometry.topLeft(), QPointF(10 * Mm + 7.55906, top + 3.77953));
            }
            if (!lines.isEmpty()) {
                const Object& block = *lines.first();
                printed += block.lines;
                // Rows start under the title on the first page, at the top margin after it.
                QCOMPARE(block.geometry.top(), index == 0 ? top + 30.23624 : top);
                QCOMPARE(block.geometry.height(), block.lines.size() * listSummary::lineHeight);
                QVERIFY(block.geometry.bottom() <= bottom + 1e-6);
            }
            if (!footer.isEmpty()) {
                QCOMPARE(index, prepared.pages.size() - 1);
                QCOMPARE(footer.first()->geometry.top(), top + footerBand + 7.55906);
                QCOMPARE(footer.first()->text(), QStringLiteral("Stampa eseguita in data 09/12/2026"));
            }
        }
        QCOMPARE(titles, 1);
        QCOMPARE(footers, 1);
        QCOMPARE(printed, numberedLines(rows));
    }

    void dateComesFromTheClock()
    {
        FakePlatform fake;
        fake.now = QDateTime(QDate(2027, 1, 5), QTime(23, 59));
        report::Report summary = listSummary::make(QString(), QStringLiteral("Oggi: [DATE]"), {QStringLiteral("[DATE] e [DATE]")});
        const PreparedPage page = report::prepare(summary).pages.first();
        QCOMPARE(page.itemsNamed(QStringLiteral("txtTitolo")).first()->text(), QStringLiteral("Oggi: 05/01/2027"));
        QCOMPARE(page.itemsNamed(QStringLiteral("txtRiepilogo")).first()->lines,
                 QStringList{QStringLiteral("05/01/2027 e 05/01/2027")});
        QCOMPARE(page.itemsNamed(QStringLiteral("txtPagina")).first()->text(), QStringLiteral("Stampa eseguita in data 05/01/2027"));
    }

    // Bands that may not split move whole; in a band that splits, an object that is not a
    // line-pitched text moves whole to the part where it fits.
    void bandsThatDoNotFit()
    {
        report::Report custom = report::Report::fromJson(json(
            "{'pages': [{'paper': 'A4', 'orientation': 'portrait', 'margins': [0, 0, 0, 0], 'bands': ["
            "  {'name': 'Testa', 'kind': 'ReportTitle', 'height': 1000,"
            "   'objects': [{'name': 'riquadro', 'type': 'rectangle', 'geometry': [0, 0, 100, 1000], 'fill': '#FF0000'}]},"
            "  {'name': 'Corpo', 'kind': 'MasterData', 'height': 300, 'split': true,"
            "   'objects': [{'name': 'righe', 'geometry': [0, 0, 500, 200], 'linePitch': 20},"
            "               {'name': 'linea', 'type': 'line', 'geometry': [0, 190, 500, 0]}]},"
            "  {'name': 'Piede', 'kind': 'DataFooter', 'height': 100,"
            "   'objects': [{'name': 'foto', 'type': 'picture', 'geometry': [10, 10, 80, 80]}]}]}]}"));
        custom.text(QStringLiteral("righe")).lines = numberedLines(10);
        const PreparedReport prepared = report::prepare(custom, Today);
        // A4 portrait is 1122.5 units high: 1000 for the title leaves room for 6 lines.
        QCOMPARE(prepared.pages.size(), 2);
        const PreparedPage& first = prepared.pages.at(0);
        QCOMPARE(first.itemsNamed(QStringLiteral("righe")).first()->lines, numberedLines(6));
        QCOMPARE(first.itemsNamed(QStringLiteral("righe")).first()->geometry.top(), 1000.0);
        QVERIFY(first.itemsNamed(QStringLiteral("linea")).isEmpty());
        const PreparedPage& second = prepared.pages.at(1);
        QCOMPARE(second.itemsNamed(QStringLiteral("righe")).first()->lines, numberedLines(10).mid(6));
        QCOMPARE(second.itemsNamed(QStringLiteral("righe")).first()->geometry.top(), 0.0);
        // The part on page two starts at band offset 120, so the line at 190 lands at 70.
        QCOMPARE(second.itemsNamed(QStringLiteral("linea")).first()->geometry.top(), 70.0);
        QCOMPARE(second.itemsNamed(QStringLiteral("foto")).first()->geometry, QRectF(10, 190, 80, 80));
    }

    // The painter puts the template's geometry on the paper: the title bar's slate grey lies
    // where the template says and nowhere above it; the rows are drawn in black.
    void painterFollowsTheGeometry()
    {
        const PreparedPage page = summary(3).pages.first();
        QImage paper(page.size.toSize(), QImage::Format_RGB32);
        paper.setDotsPerMeterX(3780);  // 96 dots per inch: one unit, one pixel
        paper.setDotsPerMeterY(3780);
        paper.fill(Qt::white);
        QPainter painter(&paper);
        report::paintPage(painter, page);
        painter.end();

        const QColor slate(112, 128, 144);
        const double left = 10 * Mm + 7.55906;
        const double top = 10 * Mm + 3.77953;
        QCOMPARE(paper.pixelColor(int(left) + 3, int(top) + 9), slate);
        QCOMPARE(paper.pixelColor(int(left) + 1030, int(top) + 9), slate);
        QCOMPARE(paper.pixelColor(int(left) + 3, int(top) - 2), QColor(Qt::white));
        QCOMPARE(paper.pixelColor(int(left) - 3, int(top) + 9), QColor(Qt::white));

        int dark = 0;
        const int rowTop = int(10 * Mm + 30.23624);
        for (int y = rowTop; y < rowTop + 13; ++y) {
            for (int x = int(10 * Mm + 11.33859); x < 200; ++x)
                dark += qGray(paper.pixel(x, y)) < 100 ? 1 : 0;
        }
        QVERIFY2(dark > 20, qPrintable(QString::number(dark)));
    }

    // A printer's painter starts at the printable area; the paper's corner must still be where
    // the report's geometry counts from.
    void devicePagesCountFromThePaperCorner()
    {
        QTemporaryDir folder;
        QPdfWriter writer(folder.filePath(QStringLiteral("margini.pdf")));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12.7, 25.4, 0, 0),
                                         QPageLayout::Millimeter));
        const QTransform transform = report::deviceTransform(writer);
        QCOMPARE(transform.map(QPointF(0, 0)), QPointF(-300, -600));                // half an inch, one inch
        QCOMPARE(transform.map(QPointF(96, 192)), QPointF(600 - 300, 1200 - 600));  // one and two inches on
    }

    // Printing some pages to a file writes those pages only, through the same writer.
    void pdfOfChosenPages()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("pagina.pdf"));
        report::writePdf(summary(100), path, {1});
        const QList<QStringList> pages = pdfText::Document(readAll(path)).pages();
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.at(0).join(QLatin1Char('\n')).contains(QStringLiteral("riga 054")));
    }

    void pdfHoldsThePrintedText()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("riepilogo.pdf"));
        report::writePdf(summary(100), path);
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("/MediaBox [0 0 842"));  // A4 landscape, in points

        const QList<QStringList> pages = pdfText::Document(bytes).pages();
        QCOMPARE(pages.size(), 2);
        const QString first = pages.at(0).join(QLatin1Char('\n'));
        const QString second = pages.at(1).join(QLatin1Char('\n'));
        QVERIFY2(first.contains(QStringLiteral("Riepilogo squadre")), qPrintable(first.left(300)));
        QVERIFY(first.contains(QStringLiteral("riga 001")));
        QVERIFY(first.contains(QStringLiteral("riga 053")));
        QVERIFY(!first.contains(QStringLiteral("riga 054")));
        QVERIFY(!first.contains(QStringLiteral("Stampa eseguita")));
        QVERIFY(second.contains(QStringLiteral("riga 054")));
        QVERIFY(second.contains(QStringLiteral("riga 100")));
        QVERIFY(!second.contains(QStringLiteral("Riepilogo squadre")));
        QVERIFY(second.contains(QStringLiteral("Stampa eseguita in data 09/12/2026")));
    }

    // Words with "fi", "ffl" and "ffi" come out of the PDF as typed, not as ligature glyphs, so
    // a viewer finds and copies them.
    void pdfTextHasNoLigatures()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("classifica.pdf"));
        const QString title = QStringLiteral("Classifica di merito Coppa Estate");
        const QStringList rows{QStringLiteral("1      Affluenza ufficiale         Punti: 12,50")};
        report::writePdf(report::prepare(listSummary::make(QStringLiteral("Classifica di merito"), title, rows), Today), path);
        const QList<QStringList> pages = pdfText::Document(readAll(path)).pages();
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages.first().contains(title), qPrintable(pages.first().join(QLatin1Char('|'))));
        QVERIFY2(pages.first().contains(rows.first()), qPrintable(pages.first().join(QLatin1Char('|'))));
    }

    // Text keeps its size on paper: a line of a hundred letters is as wide as the font says,
    // on the screen's resolution and on a printer's, whether or not the size falls on a whole
    // number of pixels (8 points is 10.67 pixels at 96 dots per inch).
    void textKeepsItsWidth_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("dotsPerInch");
        QTest::newRow("Courier New 8, screen") << "Courier New" << 8.0 << 96;
        QTest::newRow("Courier New 8, printer") << "Courier New" << 8.0 << 300;
        QTest::newRow("Courier New 10, screen") << "Courier New" << 10.0 << 96;
        QTest::newRow("Verdana 8, printer") << "Verdana" << 8.0 << 300;
        QTest::newRow("Arial 7, printer") << "Arial" << 7.0 << 300;
    }
    void textKeepsItsWidth()
    {
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(int, dotsPerInch);
        const QString text(100, QLatin1Char('H'));
        PreparedPage page;
        page.size = QSizeF(1200, 100);
        Object line;
        line.name = QStringLiteral("riga");
        line.geometry = QRectF(10, 10, 1180, 60);
        line.font.family = family;
        line.font.pointSize = points;
        line.setText(text);
        page.items.append(line);

        const double scale = dotsPerInch / report::unitsPerInch;
        QImage paper((page.size * scale).toSize(), QImage::Format_RGB32);
        paper.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
        paper.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
        paper.fill(Qt::white);
        QPainter painter(&paper);
        painter.setTransform(report::deviceTransform(paper));
        report::paintPage(painter, page);
        painter.end();
        int left = paper.width();
        int right = -1;
        for (int y = 0; y < paper.height(); ++y) {
            for (int x = 0; x < paper.width(); ++x) {
                if (qGray(paper.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        QVERIFY(right > left);
        const double inked = (right - left + 1) / scale;

        // The same letters at a hundred times the size, where a pixel more or less is nothing.
        QFont large(family);
        large.setPointSizeF(points * 100);
        QImage screen(1, 1, QImage::Format_RGB32);
        screen.setDotsPerMeterX(3780);
        screen.setDotsPerMeterY(3780);
        const QFontMetricsF metrics(large, &screen);
        const QRectF letter = metrics.tightBoundingRect(QStringLiteral("H"));
        const double expected = (metrics.horizontalAdvance(QString(99, QLatin1Char('H'))) + letter.right() - letter.left()) / 100;
        QVERIFY2(qAbs(inked - expected) < expected * 0.004,
                 qPrintable(QStringLiteral("%1 units inked, %2 expected").arg(inked).arg(expected)));
    }

    // The pages the print dialog's range picks, as the page painter's indices.
    void selectedPages_data()
    {
        QTest::addColumn<QString>("typed");  // as the dialog's page range field takes it
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("no range: every page") << "" << 3 << QList<int>{0, 1, 2};
        QTest::newRow("one page") << "2" << 3 << QList<int>{1};
        QTest::newRow("a range") << "2-3" << 4 << QList<int>{1, 2};
        QTest::newRow("pages and ranges") << "1,3-4" << 5 << QList<int>{0, 2, 3};
        QTest::newRow("beyond the last page") << "2-9" << 3 << QList<int>{1, 2};
        QTest::newRow("only beyond the last page") << "5" << 3 << QList<int>{};
        QTest::newRow("empty document") << "" << 0 << QList<int>{};
    }
    void selectedPages()
    {
        QFETCH(QString, typed);
        QFETCH(int, pageCount);
        QFETCH(QList<int>, pages);
        QCOMPARE(report::selectedPages(QPageRanges::fromString(typed), pageCount), pages);
    }

    // A printed title becomes the suggested PDF name as it reads; what no file name can hold
    // (a folder separator from a date, a colon) must not send the file elsewhere or fail.
    void pdfFileName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << " Riepilogo squadre " << "Riepilogo squadre.pdf";
        QTest::newRow("separators and colon") << "Scadenze al 10/12/2026: tessere\\vecchie" << "Scadenze al 10-12-2026- tessere-vecchie.pdf";
        QTest::newRow("wildcards and quotes") << "Squadre \"A*\" <B>?|" << "Squadre -A-- -B---.pdf";
        QTest::newRow("control code") << "Riga\tdue" << "Riga-due.pdf";
        QTest::newRow("empty") << "  " << "Documento.pdf";
    }
    void pdfFileName()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(report::pdfFileName(title), name);
    }

    // The PDF goes to the user's documents folder (as the desktop's user folders file names it),
    // not to the folder the program runs in; to the home folder while that folder is missing.
    void suggestedPdfPath_data()
    {
        QTest::addColumn<bool>("documentsExist");
        QTest::addColumn<QString>("folder");
        QTest::newRow("documents folder") << true << "/Documenti";
        QTest::newRow("documents folder missing") << false << "";
    }
    void suggestedPdfPath()
    {
        QFETCH(bool, documentsExist);
        QFETCH(QString, folder);
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral(".config")));
        if (documentsExist)
            QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Documenti")));
        QFile folders(home.filePath(QStringLiteral(".config/user-dirs.dirs")));
        QVERIFY(folders.open(QIODevice::WriteOnly));
        folders.write("XDG_DOCUMENTS_DIR=\"$HOME/Documenti\"\n");
        folders.close();
        const QByteArray savedHome = qgetenv("HOME");
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        const QString path = report::suggestedPdfPath(QStringLiteral("Coppa - Classifica di merito.pdf"));
        qputenv("HOME", savedHome);
        qputenv("XDG_CONFIG_HOME", savedConfig);
        QCOMPARE(path, home.path() + folder + QStringLiteral("/Coppa - Classifica di merito.pdf"));
    }

    // A picture keeps no more dots than its box shows in print (300 per inch), and is never enlarged.
    void pictureIsReducedToItsBox_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("kept");
        // The box is one inch by one inch: 300 × 300 dots.
        QTest::newRow("wide photo") << QSize(3000, 1500) << QSize(300, 150);
        QTest::newRow("tall photo") << QSize(3000, 6000) << QSize(150, 300);
        QTest::newRow("as large as the box") << QSize(300, 300) << QSize(300, 300);
        QTest::newRow("smaller than the box") << QSize(200, 100) << QSize(200, 100);
        QTest::newRow("none") << QSize() << QSize(0, 0);
    }
    void pictureIsReducedToItsBox()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, kept);
        QImage image;
        if (picture.isValid()) {
            image = QImage(picture, QImage::Format_RGB32);
            image.fill(Qt::red);
        }
        Object object;
        object.kind = report::ObjectKind::Picture;
        object.geometry = QRectF(10, 10, 96, 96);
        object.setPicture(image);
        QCOMPARE(object.image.size(), kept);
        if (!kept.isEmpty())
            QCOMPARE(object.image.pixelColor(kept.width() / 2, kept.height() / 2), QColor(Qt::red));
    }

    // A text too long for its box is cut at the box's edge, not wrapped onto a second line; a
    // picture is centred in its box and scaled to fit it.
    void textIsCutAndPictureFits()
    {
        report::Report custom = report::Report::fromJson(json(
            "{'pages': [{'paper': 'A4', 'orientation': 'portrait', 'margins': [0, 0, 0, 0], 'bands': ["
            "  {'name': 'Corpo', 'kind': 'ReportTitle', 'height': 200, 'objects': ["
            "   {'name': 'lungo', 'geometry': [20, 20, 100, 20], 'valign': 'center', 'font': {'size': 10}},"
            "   {'name': 'foto', 'type': 'picture', 'geometry': [200, 20, 200, 100]}]}]}]}"));
        custom.text(QStringLiteral("lungo")).setText(QStringLiteral("Via dei Mille, angolo Piazza Garibaldi 128, scala B"));
        QImage red(40, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        custom.picture(QStringLiteral("foto")).setPicture(red);
        const PreparedPage page = report::prepare(custom, Today).pages.first();
        QImage paper(page.size.toSize(), QImage::Format_RGB32);
        paper.setDotsPerMeterX(3780);  // 96 dots per inch: one unit, one pixel
        paper.setDotsPerMeterY(3780);
        paper.fill(Qt::white);
        QPainter painter(&paper);
        report::paintPage(painter, page);
        painter.end();

        const auto ink = [&paper](int left, int top, int right, int bottom) {
            int dark = 0;
            for (int y = top; y < bottom; ++y) {
                for (int x = left; x < right; ++x)
                    dark += qGray(paper.pixel(x, y)) < 128 ? 1 : 0;
            }
            return dark;
        };
        QVERIFY(ink(20, 20, 120, 40) > 50);
        QCOMPARE(ink(20, 20, 120, 23), 0);   // one line, centred: a wrapped text would fill the box
        QCOMPARE(ink(121, 14, 199, 46), 0);  // right of the box
        QCOMPARE(ink(20, 41, 199, 80), 0);   // under it
        QCOMPARE(paper.pixelColor(300, 70), QColor(Qt::red));
        QCOMPARE(paper.pixelColor(252, 22), QColor(Qt::red));
        QCOMPARE(paper.pixelColor(246, 70), QColor(Qt::white));  // the square picture leaves the sides free
        QCOMPARE(paper.pixelColor(354, 70), QColor(Qt::white));
    }

    void pdfThatCannotBeWritten()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("manca/riepilogo.pdf"));
        QVERIFY_THROWS_EXCEPTION(report::ReportError, report::writePdf(summary(1), path));
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
