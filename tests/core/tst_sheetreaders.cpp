#include "import/CsvReader.h"
#include "import/SheetFile.h"
#include "import/ZipEntries.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "storage/Cp1252.h"

#include "ZipFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <limits>

using sheetImport::Cell;

namespace {

// A sheet as "row number: cell|cell|…" lines, so a table row states it in one string.
QStringList shown(const sheetImport::Sheet& sheet)
{
    QStringList lines;
    for (const sheetImport::Row& row : sheet.rows) {
        QStringList cells;
        for (qsizetype column = 0; column < row.cells.size(); ++column)
            cells.append(row.text(column).toString());
        lines.append(QString::number(row.number) + QStringLiteral(": ") + cells.join(QLatin1Char('|')));
    }
    return lines;
}

QByteArray utf16(const QString& text)
{
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const QByteArray xlsxContentTypes =
    "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>";

}  // namespace

// The readers behind the import: text files as the spreadsheet programs save them, the first sheet
// of .xlsx and .ods workbooks, and the program's own .xls exports.
class TestSheetReaders : public QObject {
    Q_OBJECT

private slots:
    void csvCases_data();
    void csvCases();
    void csvCasesReadInTwoParts_data() { csvCases_data(); }
    void csvCasesReadInTwoParts();
    void csvEncodingIsToldFromTheBytes_data();
    void csvEncodingIsToldFromTheBytes();
    void xlsxWrittenByTheExportReadsBackTyped();
    void xlsxByHandWithSharedStringsAndDateStyles();
    void odsFirstTableWithRepeatsAndTypes();
    void ownExportReadsBackItsCells();
    void longAttributeTakesTimeInProportion_data();
    void longAttributeTakesTimeInProportion();
    void fileKindIsToldFromTheContent_data();
    void fileKindIsToldFromTheContent();
};

void TestSheetReaders::csvCases_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    // RFC 4180's own examples first.
    QTest::newRow("rfc: CRLF records") << QByteArray("aaa,bbb,ccc\r\nzzz,yyy,xxx\r\n")
                                       << QStringList{"1: aaa|bbb|ccc", "2: zzz|yyy|xxx"};
    QTest::newRow("rfc: last record without line break") << QByteArray("aaa,bbb,ccc\r\nzzz,yyy,xxx")
                                                         << QStringList{"1: aaa|bbb|ccc", "2: zzz|yyy|xxx"};
    QTest::newRow("rfc: quoted fields") << QByteArray("\"aaa\",\"bbb\",\"ccc\"\r\n")
                                        << QStringList{"1: aaa|bbb|ccc"};
    QTest::newRow("rfc: line break, comma and quote inside quotes")
        << QByteArray("\"aaa\",\"b\r\nbb\",\"ccc\"\r\nzzz,\"y,y\",\"x\"\"x\"\r\n")
        << QStringList{"1: aaa|b\r\nbb|ccc", "2: zzz|y,y|x\"x"};
    QTest::newRow("semicolon, as the Italian programs save") << QByteArray("Nome;Peso\r\nRossi;72,5\r\n")
                                                             << QStringList{"1: Nome|Peso", "2: Rossi|72,5"};
    QTest::newRow("tab") << QByteArray("Nome\tReti\nRossi\t3\n") << QStringList{"1: Nome|Reti", "2: Rossi|3"};
    QTest::newRow("semicolons quoted in a comma file") << QByteArray("\"a;b\",c\n1,2\n")
                                                       << QStringList{"1: a;b|c", "2: 1|2"};
    QTest::newRow("blank lines keep the row numbers") << QByteArray("a;b\n\n\r\n1;2\n")
                                                      << QStringList{"1: a|b", "4: 1|2"};
    QTest::newRow("record over two lines counts as one row") << QByteArray("a;b\n\"x\ny\";z\nc;d\n")
                                                             << QStringList{"1: a|b", "2: x\ny|z", "3: c|d"};
    QTest::newRow("ragged rows") << QByteArray("a;b;c\n1\n1;2;3;4\n")
                                 << QStringList{"1: a|b|c", "2: 1", "3: 1|2|3|4"};
    QTest::newRow("empty quoted field and empty last field") << QByteArray("a,\"\",c,\n")
                                                             << QStringList{"1: a||c|"};
    QTest::newRow("CR alone ends a record") << QByteArray("a;b\r1;2\r") << QStringList{"1: a|b", "2: 1|2"};
    QTest::newRow("quote inside an unquoted field is kept") << QByteArray("5\" pollici;x\n")
                                                            << QStringList{"1: 5\" pollici|x"};
    QTest::newRow("doubled quotes and text after the closing quote, cells after it intact")
        << QByteArray("\"a\"\"b\"\"c\"d;e;\"\"\"\"\nf;\"g\"\n") << QStringList{"1: a\"b\"cd|e|\"", "2: f|g"};
    QTest::newRow("unclosed quote runs to the end") << QByteArray("a;\"b\nc") << QStringList{"1: a|b\nc"};
    QTest::newRow("separators only") << QByteArray(";;;\n") << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestSheetReaders::csvCases()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    QCOMPARE(shown(csvReader::read(bytes)), expected);
}

// A large file is read in two parts on two cores, split at a line feed that may fall anywhere,
// inside a quoted field too: wherever it falls, the rows are those of one reading.
void TestSheetReaders::csvCasesReadInTwoParts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    const QString text = csvReader::decode(bytes);
    const QChar separator = csvReader::separatorOf(text);
    for (qsizetype split = text.indexOf(u'\n'); split >= 0; split = text.indexOf(u'\n', split + 1))
        QVERIFY2(shown(csvReader::parseInTwo(text, separator, split)) == expected, qPrintable(QString::number(split)));
}

void TestSheetReaders::csvEncodingIsToldFromTheBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<csvReader::Encoding>("encoding");

    const QString text = QStringLiteral("Citt\u00E0;Nome\r\nForl\u00EC;Niccol\u00F2 \u20AC\r\n");
    QTest::newRow("UTF-8") << text.toUtf8() << csvReader::Encoding::Utf8;
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8()
                                                << csvReader::Encoding::Utf8WithByteOrderMark;
    QTest::newRow("Windows-1252") << cp1252::encode(text) << csvReader::Encoding::Windows1252;
    QTest::newRow("UTF-16, as \"Unicode text\"") << utf16(text) << csvReader::Encoding::Utf16;
}

void TestSheetReaders::csvEncodingIsToldFromTheBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(csvReader::Encoding, encoding);

    csvReader::Encoding found{};
    QCOMPARE(csvReader::decode(bytes, &found), QStringLiteral("Citt\u00E0;Nome\r\nForl\u00EC;Niccol\u00F2 \u20AC\r\n"));
    QCOMPARE(found, encoding);
    const sheetFile::Loaded loaded = sheetFile::readBytes(bytes);
    QVERIFY(!loaded.failed());
    QCOMPARE(shown(loaded.sheet), (QStringList{"1: Citt\u00E0|Nome", "2: Forl\u00EC|Niccol\u00F2 \u20AC"}));
}

void TestSheetReaders::xlsxWrittenByTheExportReadsBackTyped()
{
    const spreadsheet::Sheet sheet{
        QStringLiteral("Prova"),
        QStringLiteral("Prova.xls"),
        {{"colNome", "Nome", 100, 250, "Nome"},
         {"colData", "Data", 100, 200, "Data", spreadsheet::CellKind::Date},
         {"colReti", "Reti", 100, 180, "Reti", spreadsheet::CellKind::Number},
         {"colPunti", "Punti", 100, 180, "Punti", spreadsheet::CellKind::Number}},
    };
    spreadsheet::Table rows(4);
    rows.append(1, {QStringLiteral("Niccol\u00F2 <&> \"Rossi\""), "05/03/2024", "12", "3,50"});
    // Texts that only look like a date or a number stay texts: a cell would not give them back.
    rows.append(2, {"=1+1", "5/3/2024", "007", "-2"});
    rows.append(3, {"", "31/12/1899", "", "1,5e3"});
    QTemporaryDir dir;
    const QString path = dir.filePath("Prova.xlsx");
    QString error;
    QVERIFY2(workbook::write(path, sheet, rows, &error), qPrintable(error));

    const sheetFile::Loaded loaded = sheetFile::read(path);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.error));
    QCOMPARE(loaded.format, sheetFile::Format::Xlsx);
    QCOMPARE(shown(loaded.sheet), (QStringList{"1: Nome|Data|Reti|Punti",
                                               "2: Niccol\u00F2 <&> \"Rossi\"|05/03/2024|12|3,5",
                                               "3: =1+1|5/3/2024|007|-2", "4: |31/12/1899||1,5e3"}));
    const QList<Cell>& first = loaded.sheet.rows.at(1).cells;
    QCOMPARE(first.at(0).kind, Cell::Kind::Text);
    QCOMPARE(first.at(1).kind, Cell::Kind::Date);
    QCOMPARE(first.at(1).date, QDate(2024, 3, 5));
    QCOMPARE(first.at(2).kind, Cell::Kind::Number);
    QCOMPARE(first.at(2).number, 12.0);
    QCOMPARE(first.at(3).number, 3.5);
    for (const Cell& cell : loaded.sheet.rows.at(2).cells)
        QCOMPARE(cell.kind, Cell::Kind::Text);

    // The header is bold and stays in view; the columns are as wide as the export says.
    QCOMPARE(workbook::fileName(sheet), QStringLiteral("Prova.xlsx"));
    QCOMPARE(workbook::widthInCharacters(250), 35.0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ZipEntries zip(file.readAll());
    const QByteArray page = zip.read("xl/worksheets/sheet1.xml").value_or(QByteArray());
    QVERIFY(page.contains("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"));
    QVERIFY(page.contains("<col min=\"1\" max=\"1\" width=\"35.7109375\" customWidth=\"1\"/>"));
    QVERIFY(zip.read("xl/styles.xml").value_or(QByteArray()).contains("<b/>"));
    QVERIFY(zip.read("xl/workbook.xml").value_or(QByteArray()).contains("name=\"Prova\""));
    // Only the workbook is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Prova.xlsx"});
}

void TestSheetReaders::xlsxByHandWithSharedStringsAndDateStyles()
{
    // The first sheet is the one the workbook lists first, wherever its part lies.
    const QByteArray workbookXml =
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<workbookPr date1904=\"false\"/><sheets><sheet name=\"Rosa\" sheetId=\"2\" r:id=\"rId7\"/>"
        "<sheet name=\"Altro\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId7\" Target=\"/xl/worksheets/rosa.xml\"/></Relationships>";
    const QByteArray shared =
        "<sst><si><t>Cognome</t></si><si><r><t>Ros</t></r><r><t>si</t></r><rPh><t>ROSSI</t></rPh></si>"
        "<si><t xml:space=\"preserve\"> Data </t></si></sst>";
    const QByteArray styles =
        "<styleSheet><numFmts><numFmt numFmtId=\"170\" formatCode=\"[$-410]d\\ mmmm\\ yyyy\"/>"
        "<numFmt numFmtId=\"171\" formatCode=\"&quot;giorni&quot;\\ 0\"/></numFmts>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"170\"/><xf numFmtId=\"171\"/></cellXfs>"
        "</styleSheet>";
    const QByteArray rosa =
        "<worksheet><sheetData>"
        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c><c r=\"C2\" t=\"s\"><v>2</v></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>1</v></c><c r=\"B3\" t=\"b\"><v>1</v></c><c r=\"C3\" s=\"1\"><v>45356</v></c>"
        "<c r=\"D3\" s=\"2\"><v>36526.75</v></c><c r=\"E3\" s=\"3\"><v>7</v></c>"
        "<c r=\"F3\" t=\"inlineStr\"><is><t>in riga</t></is></c><c r=\"G3\" t=\"str\"><f>A3</f><v>Rossi</v></c></row>"
        "<row r=\"9\"><c r=\"A9\"/></row>"
        "</sheetData></worksheet>";
    const QByteArray other = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData></worksheet>";
    const QByteArray zip = zipFixture::make({{"[Content_Types].xml", xlsxContentTypes},
                                             {"xl/workbook.xml", workbookXml},
                                             {"xl/_rels/workbook.xml.rels", rels},
                                             {"xl/sharedStrings.xml", shared},
                                             {"xl/styles.xml", styles},
                                             {"xl/worksheets/sheet1.xml", other},
                                             {"xl/worksheets/rosa.xml", rosa}});
    const sheetFile::Loaded loaded = sheetFile::readBytes(zip);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.error));
    QCOMPARE(shown(loaded.sheet), (QStringList{"2: Cognome|| Data ", "3: Rossi|S\u00EC|05/03/2024|01/01/2000|7|in riga|Rossi"}));
    QCOMPARE(loaded.sheet.rows.at(1).cells.at(4).kind, Cell::Kind::Number);

    // A part that is no XML is a damaged workbook, not an empty sheet.
    const QByteArray broken = zipFixture::make({{"xl/workbook.xml", workbookXml},
                                                {"xl/_rels/workbook.xml.rels", rels},
                                                {"xl/worksheets/rosa.xml", "<worksheet><sheetData><row>"}});
    QCOMPARE(sheetFile::readBytes(broken).error, sheetFile::damagedMessage);
}

void TestSheetReaders::odsFirstTableWithRepeatsAndTypes()
{
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table table:name=\"Rosa\">"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Cognome e nome</text:p>"
        "</table:table-cell><table:table-cell table:number-columns-repeated=\"2\"/>"
        "<table:table-cell office:value-type=\"string\"><text:p>Reti</text:p></table:table-cell>"
        "<table:table-cell table:number-columns-repeated=\"16380\"/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"3\"><table:table-cell table:number-columns-repeated=\"1024\"/>"
        "</table:table-row>"
        "<table:table-row table:number-rows-repeated=\"2\">"
        "<table:table-cell office:value-type=\"string\"><text:p>Rossi<text:s text:c=\"2\"/>Mario</text:p>"
        "<text:p>riga <text:span>due</text:span></text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"date\" office:date-value=\"2008-02-29\"><text:p>29 feb</text:p>"
        "</table:table-cell><table:table-cell office:value-type=\"boolean\" office:boolean-value=\"false\"/>"
        "<table:table-cell office:value-type=\"float\" office:value=\"3\"><text:p>3,0</text:p></table:table-cell>"
        "</table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell/></table:table-row>"
        "</table:table><table:table table:name=\"Altro\"><table:table-row><table:table-cell office:value-type=\"string\">"
        "<text:p>no</text:p></table:table-cell></table:table-row></table:table>"
        "</office:spreadsheet></office:body></office:document-content>";
    const QByteArray zip = zipFixture::make({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                                             {"content.xml", content}});
    const sheetFile::Loaded loaded = sheetFile::readBytes(zip);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.error));
    QCOMPARE(loaded.format, sheetFile::Format::Ods);
    QCOMPARE(shown(loaded.sheet), (QStringList{"1: Cognome e nome|||Reti", "5: Rossi  Mario\nriga due|29/02/2008|No|3",
                                               "6: Rossi  Mario\nriga due|29/02/2008|No|3"}));
    QCOMPARE(loaded.sheet.rows.at(1).cells.at(1).kind, Cell::Kind::Date);
    QCOMPARE(loaded.sheet.rows.at(1).cells.at(3).kind, Cell::Kind::Number);
}

// A workbook whose sheet holds one attribute of `length` bytes, and one cell.
QByteArray workbookWithAttribute(bool ods, qsizetype length)
{
    const QByteArray attribute(length, 'a');
    if (ods) {
        const QByteArray content =
            "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
            "<table:table table:name=\"" + attribute + "\"><table:table-row><table:table-cell office:value-type=\"string\">"
            "<text:p>Squadra</text:p></table:table-cell></table:table-row></table:table>"
            "</office:spreadsheet></office:body></office:document-content>";
        return zipFixture::make({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
    }
    const QByteArray workbookXml =
        "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"Rosa\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray rels = "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
    const QByteArray sheet = "<worksheet><sheetData><row r=\"1\" x=\"" + attribute
                             + "\"><c r=\"A1\" t=\"inlineStr\"><is><t>Squadra</t></is></c></row></sheetData></worksheet>";
    return zipFixture::make({{"[Content_Types].xml", xlsxContentTypes},
                             {"xl/workbook.xml", workbookXml},
                             {"xl/_rels/workbook.xml.rels", rels},
                             {"xl/worksheets/sheet1.xml", sheet}});
}

// One attribute sixteen times as long takes about sixteen times as long to read, not the square
// (256 times): the bound leaves room for a machine busy with other work.
void TestSheetReaders::longAttributeTakesTimeInProportion_data()
{
    QTest::addColumn<bool>("ods");
    QTest::newRow("xlsx") << false;
    QTest::newRow("ods") << true;
}

void TestSheetReaders::longAttributeTakesTimeInProportion()
{
    QFETCH(bool, ods);
    const auto fastest = [](const QByteArray& zip) {
        qint64 best = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            const sheetFile::Loaded loaded = sheetFile::readBytes(zip);
            best = std::min(best, timer.nsecsElapsed());
            if (loaded.failed() || shown(loaded.sheet) != QStringList{QStringLiteral("1: Squadra")})
                return qint64(-1);
        }
        return best;
    };
    const qint64 small = fastest(workbookWithAttribute(ods, qsizetype(1) << 20));
    const qint64 large = fastest(workbookWithAttribute(ods, qsizetype(16) << 20));
    QVERIFY(small > 0 && large > 0);
    qInfo("1 MB: %lld us, 16 MB: %lld us", small / 1000, large / 1000);
    QVERIFY2(large < 100 * small, qPrintable(QStringLiteral("%1 times as long").arg(double(large) / double(small))));
}

void TestSheetReaders::ownExportReadsBackItsCells()
{
    const spreadsheet::Sheet sheet{QStringLiteral("Archivio Squadre"), QStringLiteral("Archivio_Squadre.xls"),
                                   {{"colA", "Squadra", 100, 300, "A"}, {"colB", "Palmar\u00E8s", 100, 400, "B"}}};
    spreadsheet::Table rows(2);
    rows.append(1, {QStringLiteral("Aquile & Falchi"), QStringLiteral("Coppa <Estate> \"2024\" \u20AC")});
    rows.append(2, {"", "solo palmar\u00E8s"});
    const QByteArray document = spreadsheet::document(sheet, rows);
    const sheetFile::Loaded loaded = sheetFile::readBytes(document);
    QCOMPARE(loaded.format, sheetFile::Format::OwnExport);
    QCOMPARE(shown(loaded.sheet), (QStringList{"1: Squadra|Palmar\u00E8s", "2: Aquile & Falchi|Coppa <Estate> \"2024\" \u20AC",
                                               "3: |solo palmar\u00E8s"}));
    // Exports written before cell texts were escaped hold raw markup characters.
    const QByteArray old = "<html><body><table x:str><tr><td>Squadra</td></tr><tr><td style=\"x\">A & B <1></td></tr>"
                           "</table></body></html>";
    QCOMPARE(shown(sheetFile::readBytes(old).sheet), (QStringList{"1: Squadra", "2: A & B <1>"}));
}

void TestSheetReaders::fileKindIsToldFromTheContent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    QTest::newRow("binary Excel 97") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0", 11)
                                     << sheetFile::binaryXlsMessage;
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << sheetFile::notASheetMessage;
    QTest::newRow("a zip of something else") << zipFixture::make({{"readme.txt", "ciao"}}) << sheetFile::damagedMessage;
    QTest::newRow("a zip cut short") << zipFixture::make({{"xl/workbook.xml", QByteArray(5000, 'x')}}).left(100)
                                     << sheetFile::damagedMessage;
}

void TestSheetReaders::fileKindIsToldFromTheContent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);

    QCOMPARE(sheetFile::readBytes(bytes).error, error);
}

QTEST_MAIN(TestSheetReaders)
#include "tst_sheetreaders.moc"
