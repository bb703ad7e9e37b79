// The spreadsheet export's document, byte for byte, and its writing: a failed write leaves the
// previous export as it was.
#include "output/Spreadsheet.h"
#include "storage/TournamentRecord.h"

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
    return "<tr><td style=\"text-align: left;\">" + team + "</td><td style=\"text-align: left;\">" + points + "</td></tr>";
}

spreadsheet::Row entry(qint64 position, const QString& team, const QString& points)
{
    return {position, {team, points}};
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
            spreadsheet::document(sheet, {entry(1, u"  Aquile "_s, u"12,50"_s), entry(2, u"Lupi"_s, QString())});
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
        QTest::newRow("an entity typed stays as typed") << u"&amp;"_s << QByteArray("&amp;amp;");
    }

    void cells()
    {
        QFETCH(QString, team);
        QFETCH(QByteArray, cell);
        QCOMPARE(spreadsheet::document(sheet, {entry(1, team, u"0,00"_s)}), head + dataRow(cell, "0,00") + tail);
    }

    // Every record, numbered by its place in the file; a missing archive is an empty one.
    void readsTheArchiveInFileOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Coppa.vai"_s);
        QByteArray bytes;
        for (const char* team : {"Lupi", " Aquile ", "Orsi"}) {
            TournamentRecord record;
            record.Concorrente = QString::fromLatin1(team);
            record.Punteggio = u"1,00"_s;
            bytes += record.toBytes();
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes + QByteArray(10, 'x'));  // an unfinished append is no record
        file.close();
        const QList<spreadsheet::Row> rows = spreadsheet::read(path, recordFormat(TournamentRecord::Layout), sheet);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].position, 2);
        QCOMPARE(rows[1].cells, (QStringList{u"Aquile"_s, u"1,00"_s}));
        QCOMPARE(rows[2].cells.front(), u"Orsi"_s);
        QVERIFY(spreadsheet::read(dir.filePath(u"Nuovo.vai"_s), recordFormat(TournamentRecord::Layout), sheet).isEmpty());
    }

    void emptyArchiveWritesTheHeaderOnly()
    {
        QCOMPARE(spreadsheet::document(sheet, {}), head + tail);
    }

    void writeReplacesTheOldExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Torneo.xls"_s);
        QVERIFY(spreadsheet::write(path, sheet, {entry(1, u"Aquile"_s, u"1,00"_s), entry(2, u"Lupi"_s, u"2,00"_s)}));
        QVERIFY(spreadsheet::write(path, sheet, {entry(1, u"Orsi"_s, u"3,00"_s)}));
        QCOMPARE(contents(path), head + dataRow("Orsi", "3,00") + tail);
    }

    // The disk refuses the new document part way (a file size limit, which holds for every user):
    // the export that was there stays whole.
    void failedWriteLeavesTheOldExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Torneo.xls"_s);
        QVERIFY(spreadsheet::write(path, sheet, {entry(1, u"Aquile"_s, u"1,00"_s)}));
        const QByteArray before = contents(path);

        QList<spreadsheet::Row> many;
        for (int i = 1; i <= 2000; ++i)
            many.append(entry(i, u"Squadra %1"_s.arg(i), u"0,00"_s));
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

    void unwritableFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!spreadsheet::write(dir.filePath(u"manca/Torneo.xls"_s), sheet, {}));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
