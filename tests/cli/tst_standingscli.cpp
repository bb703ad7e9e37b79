// golvera-cli on a tournament with a calendar: the complete standings (a header line, a team a
// line, the reason for each place not decided by points), the draw by lot made once and kept, the
// top scorers, the printed standings, and the published folder opened in a browser with its
// calendar file read back by a second parser.
#include "matches/CalendarFile.h"
#include "storage/TournamentRecord.h"

#include "BrowserCheck.h"
#include "CalendarFixture.h"
#include "PdfText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(GOLVERA_CLI), arguments);
    if (!process.waitForFinished(60000))
        qFatal("golvera-cli did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class TestStandingsCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_tournament;

private slots:
    void init()
    {
        m_tournament = m_folder.filePath("Coppa Estate.vai");
        QFile::remove(m_tournament);
        QFile::remove(matches::calendarPath(m_tournament));
        QVERIFY(calendarFixture::writeTournament(m_tournament));
    }

    void completeStandings()
    {
        const Run run = cli({"classifica", "completa", m_tournament});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], "Pos\tSquadra\tPt\tG\tV\tN\tP\tGF\tGS\tDR\tPen\tMotivo");
        QCOMPARE(lines[1], "1\tBisonti\t3\t2\t1\t0\t1\t2\t1\t+1\t0\tBisonti davanti a Cervi: scontri diretti 3\u20130");
        QCOMPARE(lines[2], "2\tCervi\t3\t2\t1\t0\t1\t3\t2\t+1\t0\t"
                           "Cervi davanti a Aquile: differenza reti negli scontri diretti +1\u2013\u22122");
        QCOMPARE(lines[3], "3\tAquile\t3\t2\t1\t0\t1\t1\t3\t-2\t0\t"
                           "Aquile dietro a Cervi: differenza reti negli scontri diretti \u22122\u2013+1");
        // The six level on everything go to a draw, made now and kept with the calendar.
        QVERIFY(run.err.contains("Sorteggio fatto e conservato con il calendario."));
        QStringList drawn;
        for (int i = 4; i < 10; ++i) {
            const QStringList fields = lines[i].split('\t');
            QCOMPARE(fields[0], QString::number(i));
            QVERIFY2(fields[11].endsWith(": sorteggio"), qPrintable(lines[i]));
            drawn.append(fields[1]);
        }
        const Run again = cli({"classifica", "completa", m_tournament});
        QCOMPARE(again.out, run.out);
        QVERIFY(!again.err.contains("Sorteggio"));

        // A result changes who is level: the stored draw no longer applies and the output says so.
        matches::StoredCalendar stored = matches::readCalendar(m_tournament);
        matches::Match* played = stored.calendar.match(6);
        played->status = matches::Status::Giocata;
        played->homeGoals = 1;
        matches::saveCalendar(m_tournament, stored);
        const Run changed = cli({"classifica", "completa", m_tournament});
        QCOMPARE(changed.exitCode, 0);
        QVERIFY2(changed.err.contains(" non vale pi\u00F9: le squadre a pari merito sono cambiate."), qPrintable(changed.err));
        QVERIFY(changed.err.contains("Sorteggio fatto"));
        QCOMPARE(matches::readCalendar(m_tournament).calendar.lots.size(), 1);
    }

    void oneGroupAndPdf()
    {
        const QString pdf = m_folder.filePath("completa.pdf");
        const Run run = cli({"classifica", "completa", m_tournament, "--girone", "", "--pdf", pdf});
        QCOMPARE(run.exitCode, 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList page = pdfText::Document(file.readAll()).pages().value(0);
        QCOMPARE(page.value(0), "Classifica completa Coppa Estate");
        QVERIFY(page.value(1).startsWith("Pos Squadra"));
        QVERIFY(page.value(2).startsWith("  1 Bisonti"));
        QVERIFY(page.contains("Bisonti davanti a Cervi: scontri diretti 3\u20130"));

        const Run noGroup = cli({"classifica", "completa", m_tournament, "--girone", "B"});
        QCOMPARE(noGroup.exitCode, 1);
        QVERIFY(noGroup.err.contains("il calendario non ha il girone \"B\""));
    }

    void topScorers()
    {
        // The annulled match's goals and the forfeit's "scorer" do not count.
        const Run run = cli({"marcatori", m_tournament});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, "Pos\tGiocatore\tSquadra\tGol\n1\tMario Rossi\tBisonti\t2\n2\tLuca Bianchi\tAquile\t1\n");
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no tournament") << QStringList{"marcatori"} << 2 << "indicare il file del torneo";
        QTest::newRow("group for scorers") << QStringList{"marcatori", "T", "--girone", "A"} << 2 << "--girone vale solo";
        QTest::newRow("publish without folder") << QStringList{"pubblica", "T"} << 2 << "pubblica vuole --uscita";
        QTest::newRow("folder elsewhere") << QStringList{"marcatori", "T", "--uscita", "x"} << 2 << "--uscita vale solo";
        QTest::newRow("missing tournament") << QStringList{"marcatori", "manca.vai"} << 1 << "manca.vai";
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        arguments.replaceInStrings(QRegularExpression("^T$"), m_tournament);
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }

    void withoutCalendar()
    {
        const QString plain = m_folder.filePath("Senza.vai");
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(TournamentRecord().toBytes());
        file.close();
        const Run run = cli({"classifica", "completa", plain});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("non ha un calendario"));
        QVERIFY(!QFile::exists(matches::calendarPath(plain)));
    }

    void publishedFolder()
    {
        const QString folder = m_folder.filePath("sito");
        Run run = cli({"pubblica", m_tournament, "--uscita", folder});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"calendario.ics", "index.html", "stile.css"}));
        // Published again over itself: the same files, no leftovers beside it.
        run = cli({"pubblica", m_tournament, "--uscita", folder});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(m_folder.path()).entryList({".sito*"}, QDir::AllEntries | QDir::Hidden), QStringList());

        // Read back by a second parser: unfolded lines, one event per match, identifiers unique.
        QProcess python;
        python.start("python3", {"-c", R"(
import sys
text = open(sys.argv[1], 'rb').read().decode('utf-8')
assert '\n' not in text.replace('\r\n', '')
lines = text.replace('\r\n ', '').split('\r\n')
events = [i for i, l in enumerate(lines) if l == 'BEGIN:VEVENT']
uids = [l[4:] for l in lines if l.startswith('UID:')]
assert len(uids) == len(set(uids)) == len(events)
assert lines[0] == 'BEGIN:VCALENDAR' and 'VERSION:2.0' in lines
summaries = [l for l in lines if l.startswith('SUMMARY:')]
print(len(events)); print('\n'.join(summaries))
)",
                                 folder + "/calendario.ics"});
        QVERIFY(python.waitForFinished(30000));
        const QString parsed = QString::fromUtf8(python.readAllStandardOutput());
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        const QStringList parsedLines = parsed.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(parsedLines.value(0), "8");
        QVERIFY(parsedLines.contains("SUMMARY:Aquile \u2013 Bisonti 1-0"));
        QVERIFY(parsedLines.contains("SUMMARY:Cervi \u2013 Aquile 3-0"));
        QVERIFY(parsedLines.contains("SUMMARY:<script> \u2013 \"&'"));

        if (const QString missing = browserCheck::missingBrowser(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        QCOMPARE(browserCheck::check(folder, "index.html", {QSize(360, 740), QSize(1280, 800)},
                                     {"<script>", "\"&'", "Bisonti davanti a Cervi: scontri diretti 3\u20130"}),
                 (QStringList{"1280: ok", "360: ok"}));
    }

    void publishRefusesAFile()
    {
        const QString target = m_folder.filePath("pagina");
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mia");
        file.close();
        const Run run = cli({"pubblica", m_tournament, "--uscita", target});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("\u00E8 un file, non una cartella"), qPrintable(run.err));
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("mia"));
    }
};

QTEST_GUILESS_MAIN(TestStandingsCli)
#include "tst_standingscli.moc"
