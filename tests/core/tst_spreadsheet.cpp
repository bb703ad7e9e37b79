// The spreadsheet export's document, byte for byte, and its writing: a failed write leaves the
// previous export as it was.
#include "import/SheetFile.h"
#include "output/Spreadsheet.h"
#include "storage/TournamentRecord.h"
#include "SheetMarkup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const spreadsheet::Sheet sheet{
    u"Torneo"_s,
    u"Torneo.xls"_s,
    {
        {u"colConcorrente"_s, u"Squadra"_s, 250, 300, u"Concorrente"_s},
        {u"colPunteggio"_s, u"Punteggio totale"_s, 140, 200, u"Punteggio"_s},
    },
};

const QByteArray head =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>Torneo</x:Name>"
    "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane>"
    "</x:Panes><x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
    "</x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>"
    "<tr><td style=\"text-align: left; font-weight: bold;\" width=300>Squadra</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Punteggio totale</td></tr>";
const QByteArray tail = "</table></body></html>";

QByteArray dataRow(const QByteArray& team, const QByteArray& points)
{
    return sheetMarkup::dataRow({team, points});
}

// Rows of team and points, numbered from 1.
spreadsheet::Table entries(const QList<std::pair<QString, QString>>& cells)
{
    spreadsheet::Table table(2);
    for (const auto& [team, points] : cells)
        table.append(table.size() + 1, {team, points});
    return table;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class TestSpreadsheet : public QObject {
    Q_OBJECT

private slots:
    void twoEntries()
    {
        const QByteArray document =
            spreadsheet::document(sheet, entries({{u"  Aquile "_s, u"12,50"_s}, {u"Lupi"_s, QString()}}));
        QCOMPARE(document, head + dataRow("Aquile", "12,50") + dataRow("Lupi", "") + tail);
        QVERIFY(!document.contains('\n'));
        QVERIFY(!document.contains('\r'));
    }

    void cells_data()
    {
        QTest::addColumn<QString>("team");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("markup escaped") << u"Under 14 <girone A> & B"_s << QByteArray("Under 14 &lt;girone A&gt; &amp; B");
        QTest::newRow("quote escaped") << u"Club \"Il Borgo\""_s << QByteArray("Club &quot;Il Borgo&quot;");
        QTest::newRow("Windows-1252 letter") << u"Citt\u00E0"_s << QByteArray("Citt\xE0");
        QTest::newRow("euro sign in the code page") << u"5 \u20AC"_s << QByteArray("5 \x80");
        QTest::newRow("Greek letter becomes ?") << u"Squadra \u03A9"_s << QByteArray("Squadra ?");
        QTest::newRow("markup among the row's last bytes") << u"Aquilotti>"_s << QByteArray("Aquilotti&gt;");
        QTest::newRow("an entity typed stays as typed") << u"&amp;"_s << QByteArray("&amp;amp;");
    }

    void cells()
    {
        QFETCH(QString, team);
        QFETCH(QByteArray, cell);
        QCOMPARE(spreadsheet::document(sheet, entries({{team, u"0,00"_s}})), head + dataRow(cell, "0,00") + tail);
    }

    // A text a spreadsheet program would run as a formula is marked as text in its cell's style;
    // its bytes, and every other cell's, are as they would be otherwise, and reading the file
    // back gives the texts as typed.
    void formulaLikeTextsAreMarkedAsText_data()
    {
        QTest::addColumn<QString>("team");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QByteArray>("teamCell");
        QTest::addColumn<QByteArray>("pointsCell");
        const QByteArray marked = "<td style=\"text-align: left; mso-number-format:'\\@';\">";
        const QByteArray plain = "<td style=\"text-align: left;\">";
        QTest::newRow("=") << u"=1+1"_s << u"3,00"_s << marked + "=1+1</td>" << plain + "3,00</td>";
        QTest::newRow("+") << u"+39 333 1234567"_s << u"3,00"_s << marked + "+39 333 1234567</td>" << plain + "3,00</td>";
        QTest::newRow("-, both cells") << u"-Lupi"_s << u"-1,00"_s << marked + "-Lupi</td>" << marked + "-1,00</td>";
        QTest::newRow("@ after blanks") << u"  @SOMMA(A1)"_s << QString() << marked + "@SOMMA(A1)</td>" << plain + "</td>";
        QTest::newRow("escaped markup") << u"=\"<b>\""_s << QString() << marked + "=&quot;&lt;b&gt;&quot;</td>" << plain + "</td>";
        QTest::newRow("inside the text") << u"Lupi = Orsi"_s << QString() << plain + "Lupi = Orsi</td>" << plain + "</td>";
    }

    void formulaLikeTextsAreMarkedAsText()
    {
        QFETCH(QString, team);
        QFETCH(QString, points);
        QFETCH(QByteArray, teamCell);
        QFETCH(QByteArray, pointsCell);
        const QByteArray document =
            spreadsheet::document(sheet, entries({{u"Aquile"_s, u"1,00"_s}, {team, points}, {u"Orsi"_s, u"2,00"_s}}));
        QCOMPARE(document, head + dataRow("Aquile", "1,00") + "<tr>" + teamCell + pointsCell + "</tr>"
                               + dataRow("Orsi", "2,00") + tail);
        const sheetFile::Loaded back = sheetFile::readBytes(document);
        QVERIFY2(!back.failed(), qPrintable(back.error));
        QCOMPARE(back.sheet.rows.at(2).text(0).toString(), team.trimmed());
        QCOMPARE(back.sheet.rows.at(2).text(1).toString(), points);
    }

    // Every record, numbered by its place in the file; a missing archive is an empty one.
    void readsTheArchiveInFileOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Coppa.vai"_s);
        QByteArray bytes;
        for (const QString& team : {u"Lupi"_s, u" Aquile \t"_s, u"Orsi \u0081"_s}) {
            TournamentRecord record;
            record.Concorrente = team;
            record.Punteggio = u"1,00"_s;
            bytes += record.toBytes();
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes + QByteArray(10, 'x'));  // an unfinished append is no record
        file.close();
        const spreadsheet::Table rows = spreadsheet::read(path, recordFormat(TournamentRecord::Layout), sheet);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.position(1), 2);
        QCOMPARE(rows.cell(1, 0), u"Aquile"_s);
        QCOMPARE(rows.cell(1, 1), u"1,00"_s);
        // A byte the code page leaves undefined reaches the file as it was stored.
        QCOMPARE(rows.cell(2, 0), u"Orsi \u0081"_s);
        QVERIFY(spreadsheet::document(sheet, rows).contains(dataRow("Orsi \x81", "1,00")));
        QVERIFY(spreadsheet::read(dir.filePath(u"Nuovo.vai"_s), recordFormat(TournamentRecord::Layout), sheet).isEmpty());
    }

    void emptyArchiveWritesTheHeaderOnly()
    {
        QCOMPARE(spreadsheet::document(sheet, spreadsheet::Table(2)), head + tail);
    }

    void writeReplacesTheOldExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Torneo.xls"_s);
        QVERIFY(spreadsheet::write(path, sheet, entries({{u"Aquile"_s, u"1,00"_s}, {u"Lupi"_s, u"2,00"_s}})));
        QVERIFY(spreadsheet::write(path, sheet, entries({{u"Orsi"_s, u"3,00"_s}})));
        QCOMPARE(contents(path), head + dataRow("Orsi", "3,00") + tail);
    }

    // The disk refuses the new document part way (a file size limit, which holds for every user):
    // the export that was there stays whole.
    void failedWriteLeavesTheOldExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Torneo.xls"_s);
        QVERIFY(spreadsheet::write(path, sheet, entries({{u"Aquile"_s, u"1,00"_s}})));
        const QByteArray before = contents(path);

        QList<std::pair<QString, QString>> cells;
        for (int i = 1; i <= 2000; ++i)
            cells.append({u"Squadra %1"_s.arg(i), u"0,00"_s});
        const spreadsheet::Table many = entries(cells);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(before.size() + 100);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = spreadsheet::write(path, sheet, many);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QCOMPARE(contents(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Torneo.xls"_s});
    }

    // A document of several mebibytes goes to the file in pieces: every row arrives once, in order.
    void largeExportIsWrittenWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Torneo.xls"_s);
        QList<std::pair<QString, QString>> cells;
        QByteArray expected = head;
        for (int i = 1; i <= 40000; ++i) {
            cells.append({u"Squadra & %1"_s.arg(i), u"%1,00"_s.arg(i)});
            expected += dataRow("Squadra &amp; " + QByteArray::number(i), QByteArray::number(i) + ",00");
        }
        expected += tail;
        QVERIFY(expected.size() > 3 * (1 << 20));
        QVERIFY(spreadsheet::write(path, sheet, entries(cells)));
        QCOMPARE(contents(path), expected);
    }

    void unwritableFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!spreadsheet::write(dir.filePath(u"manca/Torneo.xls"_s), sheet, spreadsheet::Table(2)));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
