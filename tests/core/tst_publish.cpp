// The published page's pieces: the iCalendar writer (escaping and folding as RFC 5545 shows
// them), the page's escaping of hostile names, and the folder written all or nothing.
#include "BrowserCheck.h"
#include "publish/Ics.h"
#include "publish/PublishedPage.h"
#include "storage/FileFaults.h"
#include "storage/WholeFolder.h"

#include <QDir>
#include <QFile>
#include <QSize>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class TestPublish : public QObject {
    Q_OBJECT

private slots:
    void icsText_data();
    void icsText();
    void icsFolding();
    void icsCalendar();
    void pageEscapesNames();
    void pageInBrowser();
    void folderWrittenWhole();
    void folderRefused_data();
    void folderRefused();
    void folderFailureKeepsOld();
};

void TestPublish::icsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    // The example of the TEXT value type in RFC 5545.
    QTest::newRow("rfc example") << "Project XYZ Final Review\nConference Room - 3B\nCome Prepared."
                                 << "Project XYZ Final Review\\nConference Room - 3B\\nCome Prepared.";
    QTest::newRow("separators") << "Campo 2; via Roma, 4 \\ retro" << "Campo 2\\; via Roma\\, 4 \\\\ retro";
    QTest::newRow("windows line break") << "prima\r\nseconda" << "prima\\nseconda";
    QTest::newRow("control") << QString("a\tb") << "a b";
}

void TestPublish::icsText()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(ics::escapeText(text), escaped);
}

void TestPublish::icsFolding()
{
    // RFC 5545's own example unfolds to one line; ours folds back to lines of at most 75 octets
    // that unfold to the same line, never splitting a character.
    const QByteArray rfc = "DESCRIPTION:This is a lo\r\n ng description\r\n  that exists on a long line.\r\n";
    QByteArray unfolded = rfc;
    unfolded.replace("\r\n ", "");
    QCOMPARE(unfolded, QByteArray("DESCRIPTION:This is a long description that exists on a long line.\r\n"));

    const QByteArray line = ("SUMMARY:" + QStringLiteral("Societ\u00E0 Sportiva Citt\u00E0 di Forl\u00EC ").repeated(6)).toUtf8();
    const QByteArray folded = ics::foldLine(line);
    QVERIFY(folded.endsWith("\r\n"));
    const QList<QByteArray> physical = folded.chopped(2).split('\n');
    QVERIFY(physical.size() > 2);
    for (const QByteArray& piece : physical) {
        const QByteArray octets = piece.endsWith('\r') ? piece.chopped(1) : piece;
        QVERIFY2(octets.size() <= 75, octets.constData());
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(piece.startsWith(' ') ? piece.mid(1) : piece);
        QVERIFY2(!decoder.hasError(), piece.constData());
        Q_UNUSED(text);
    }
    QByteArray back = folded;
    back.replace("\r\n ", "");
    QCOMPARE(back, line + "\r\n");
    QCOMPARE(ics::foldLine("DTSTART:20270110T150000"), QByteArray("DTSTART:20270110T150000\r\n"));
}

void TestPublish::icsCalendar()
{
    const QList<ics::Event> events = {
        {"gara-1-abc@golvera", QDate(2027, 1, 10), QTime(15, 0), 90, "Aquile \u2013 Bisonti", "Campo 1", "Giornata 1"},
        {"gara-2-abc@golvera", QDate(2027, 1, 17), QTime(), 90, "Cervi \u2013 Daini", QString(), QString()},
    };
    const QByteArray file = ics::calendar("Coppa, Estate", events, QDateTime(QDate(2027, 1, 5), QTime(9, 30), Qt::UTC));
    QVERIFY(file.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:"));
    QVERIFY(file.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));
    QCOMPARE(file.count("BEGIN:VEVENT\r\n"), 2);
    QVERIFY(file.contains("X-WR-CALNAME:Coppa\\, Estate\r\n"));
    QVERIFY(file.contains("UID:gara-1-abc@golvera\r\nDTSTAMP:20270105T093000Z\r\nDTSTART:20270110T150000\r\n"
                          "DTEND:20270110T163000\r\nSUMMARY:Aquile \xE2\x80\x93 Bisonti\r\nLOCATION:Campo 1\r\n"));
    QVERIFY(file.contains("DTSTART;VALUE=DATE:20270117\r\n"));
    // Every line ends in CRLF; no bare line feed.
    QCOMPARE(file.count('\n'), file.count("\r\n"));
}

void TestPublish::pageEscapesNames()
{
    publish::Page page;
    page.tournament = "<script>alert(1)</script>";
    standings::StandingsInput input;
    input.teams = {{1, "<script>"}, {2, "\"&'"}};
    input.results = {{1, 2, 1, 1, 1, 1, 0}};
    page.standings = {{QString(), standings::computeStandings(input)}};
    page.rounds = {{"Giornata 1", {{"10/01/2027", "15:00", "<b>campo</b>", "<script>", "\"&'", "1-1", QString()}}}};
    page.scorers = {{"<i>Rossi</i>", "<script>", 2}};
    const QString html = QString::fromUtf8(publish::html(page));
    QVERIFY(!html.contains("<script", Qt::CaseInsensitive));
    QVERIFY(!html.contains("<b>") && !html.contains("<i>"));
    QVERIFY(html.contains("&lt;script&gt;"));
    QVERIFY(html.contains("&quot;&amp;&#39;"));
    QVERIFY(html.contains("<html lang=\"it\">"));
    // Every table has its header cells.
    QCOMPARE(html.count("<table"), 3);
    QCOMPARE(html.count("<thead><tr><th"), 3);
}

void TestPublish::pageInBrowser()
{
    if (const QString missing = browserCheck::missingBrowser(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    // Nine teams, long and hostile names among them, every one against every other.
    const QStringList names = {"<script>alert(1)</script>", "\"&'", "Polisportiva Dilettantistica Vallecrosia Superiore",
                               "Aquile", "Bisonti", "Cervi", "Delfini", "Falchi", "Gazzelle"};
    standings::StandingsInput input;
    for (int i = 0; i < names.size(); ++i)
        input.teams.append({i + 1, names[i], i == 4 ? 2 : 0, i});
    publish::Page page;
    page.tournament = "Coppa <Estate> & \"Amici\"";
    page.updated = "aggiornata il 10/01/2027 alle 18:40";
    page.calendarFile = "Coppa Estate.ics";
    int round = 0;
    for (int home = 1; home <= 9; ++home) {
        publish::RoundSection section{QStringLiteral("Giornata %1").arg(++round), {}};
        for (int away = 1; away <= 9; ++away) {
            if (home == away)
                continue;
            const int homeGoals = (home * 7 + away) % 4, awayGoals = (away * 5 + home) % 3;
            input.results.append({home, away, homeGoals, awayGoals, homeGoals > awayGoals ? 3 : homeGoals == awayGoals ? 1 : 0,
                                  awayGoals > homeGoals ? 3 : homeGoals == awayGoals ? 1 : 0,
                                  homeGoals > awayGoals ? 1 : homeGoals == awayGoals ? 0 : -1});
            section.matches.append({"10/01/2027", "15:00", "Campo comunale \"Giovanni Battista Pergolesi\"", names[home - 1],
                                    names[away - 1], QStringLiteral("%1-%2").arg(homeGoals).arg(awayGoals),
                                    away == 9 ? QStringLiteral("a tavolino") : QString()});
        }
        page.rounds.append(section);
    }
    page.standings = {{"A", standings::computeStandings(input)}};
    page.bracket = {{"Finale", {{"20/01/2027", "", "", "Aquile", "<script>alert(1)</script>", "", "da giocare"}}}};
    page.scorers = {{"Mario Rossi <mr>", names[0], 7}, {"Giuseppe Verdi", names[2], 5}};

    QTemporaryDir temporary;
    const QString folder = temporary.filePath("sito");
    wholeFolder::Writer writer(folder, {publish::PageName, publish::StylesheetName});
    QVERIFY(writer.open());
    QVERIFY(writer.write(publish::PageName, publish::html(page)));
    QVERIFY(writer.write(publish::StylesheetName, publish::stylesheet()));
    QVERIFY(writer.commit());
    QCOMPARE(browserCheck::check(folder, publish::PageName, {QSize(360, 740), QSize(1280, 800)},
                                 {names[0], names[1], "Coppa <Estate> & \"Amici\"", "Mario Rossi <mr>"}),
             (QStringList{"1280: ok", "360: ok"}));
}

void TestPublish::folderWrittenWhole()
{
    QTemporaryDir temporary;
    const QString folder = temporary.filePath("sito");
    {
        wholeFolder::Writer writer(folder, {"index.html", "*.ics"});
        QVERIFY(writer.open());
        QVERIFY(writer.write("index.html", "prima"));
        QVERIFY(writer.write("a.ics", "gare"));
        QVERIFY(!QFile::exists(folder));  // nothing shows before the end
        QVERIFY2(writer.commit(), qPrintable(writer.errorString()));
    }
    QCOMPARE(readAll(folder + "/index.html"), QByteArray("prima"));
    // A second publication takes the first one's place; nothing of the old one is left.
    {
        wholeFolder::Writer writer(folder, {"index.html", "*.ics"});
        QVERIFY(writer.open());
        QVERIFY(writer.write("index.html", "seconda"));
        QVERIFY(writer.commit());
    }
    QCOMPARE(readAll(folder + "/index.html"), QByteArray("seconda"));
    QVERIFY(!QFile::exists(folder + "/a.ics"));
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"sito"});
}

void TestPublish::folderRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("a file") << "file" << "\u00E8 un file, non una cartella";
    QTest::newRow("a link") << "link" << "\u00E8 un collegamento";
    QTest::newRow("other files") << "others" << "contiene altri file (\"lettera.odt\")";
    QTest::newRow("no parent") << "parent" << "non esiste";
}

void TestPublish::folderRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir temporary;
    QString folder = temporary.filePath("sito");
    if (kind == "file") {
        QVERIFY(writeFile(folder, "mio"));
    } else if (kind == "link") {
        QVERIFY(QDir().mkdir(temporary.filePath("vera")));
        QVERIFY(QFile::link(temporary.filePath("vera"), folder));
    } else if (kind == "others") {
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(writeFile(folder + "/lettera.odt", "mia"));
    } else {
        folder = temporary.filePath("manca/sito");
    }
    const QStringList before = QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    wholeFolder::Writer writer(folder, {"index.html"});
    QVERIFY(!writer.open());
    QVERIFY2(writer.errorString().contains(message), qPrintable(writer.errorString()));
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    if (kind == "others")
        QCOMPARE(readAll(folder + "/lettera.odt"), QByteArray("mia"));
}

void TestPublish::folderFailureKeepsOld()
{
    QTemporaryDir temporary;
    const QString folder = temporary.filePath("sito");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(writeFile(folder + "/index.html", "vecchia"));
    for (const fileFaults::Fault fault : {fileFaults::Fault::WriteFails, fileFaults::Fault::RenameFails}) {
        wholeFolder::Writer writer(folder, {"index.html", "stile.css"});
        QVERIFY(writer.open());
        QVERIFY(writer.write("index.html", "nuova"));
        {
            const fileFaults::Injected injected({fault, 1});
            const bool written = writer.write("stile.css", "body {}") && writer.commit();
            QVERIFY(!written);
        }
        QVERIFY(!writer.errorString().isEmpty());
        QCOMPARE(readAll(folder + "/index.html"), QByteArray("vecchia"));
        QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"sito"});
    }
}

QTEST_GUILESS_MAIN(TestPublish)
#include "tst_publish.moc"
