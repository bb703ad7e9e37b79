// golvera-cli's calendar commands as a script would use them: a calendar shown, then written with
// --conferma, results recorded, the entries' points following, and every refusal with its exit code.
#include "matches/CalendarFile.h"
#include "storage/TournamentRecord.h"

#include <QFile>
#include <QProcess>
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

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestCalendarCli : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QByteArray entries;
        for (const QString& name : {u"Leoni"_qs, u"Aquile"_qs, u"Tigri"_qs, u"Citt\u00E0 alta"_qs}) {
            TournamentRecord record;
            record.Concorrente = name;
            entries += record.toBytes();
        }
        QFile file(tournament());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entries);
    }

    void showsThenWritesThenRecords()
    {
        const QStringList create{u"calendario"_qs, u"crea"_qs, tournament(), u"--andata-ritorno"_qs,
                                 u"--inizio"_qs, u"06/09/2026"_qs, u"--ogni"_qs, u"7"_qs, u"--orari"_qs, u"20:30"_qs};
        Run run = cli(create);
        QCOMPARE(run.exitCode, 0);
        QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 12 + 1);  // 12 matches and the line saying nothing was written
        QCOMPARE(lines.first(), u"1\t1\t\t06/09/2026\t20:30\t\tLeoni\tCitt\u00E0 alta\t\tda giocare"_qs);
        QVERIFY(!QFile::exists(calendar()));

        run = cli(create + QStringList{u"--conferma"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.endsWith(u"Calendario scritto: 12 gare.\n"_qs));
        QVERIFY(QFile::exists(calendar()));

        run = cli({u"risultato"_qs, tournament(), u"1"_qs, u"2-1"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(u"\t2-1\tgiocata"_qs));
        run = cli({u"risultato"_qs, tournament(), u"2"_qs, u"3-0"_qs, u"--stato"_qs, u"tavolino"_qs});
        QCOMPARE(run.exitCode, 0);
        run = cli({u"risultato"_qs, tournament(), u"3"_qs, u"0-0"_qs, u"--stato"_qs, u"rinviata"_qs});
        QCOMPARE(run.exitCode, 0);

        const QByteArray entries = fileContent(tournament());
        const auto points = [&](int entry) {
            return QByteArray(entries.constData() + (entry - 1) * TournamentRecord::Size
                              + TournamentRecord::Layout.offsetOf("Punteggio"));
        };
        QCOMPARE(points(1), QByteArray("3,00"));
        QCOMPARE(points(2), QByteArray("3,00"));  // won at the table against Tigri
        QCOMPARE(points(4), QByteArray("0,00"));

        run = cli({u"calendario"_qs, tournament(), u"--squadra"_qs, u"tigri"_qs, u"--giornata"_qs, u"1"_qs});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, u"2\t1\t\t06/09/2026\t20:30\t\tAquile\tTigri\t3-0\ta tavolino\n"_qs);
        run = cli({u"calendario"_qs, tournament(), u"--giornata"_qs, u"2"_qs});
        QCOMPARE(run.out.count(u'\n'), 2);

        // A calendar with results is not replaced.
        run = cli(create + QStringList{u"--conferma"_qs});
        QCOMPARE(run.exitCode, 1);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no calendar") << QStringList{u"calendario"_qs, u"T"_qs} << 1 << u"non ha un calendario"_qs;
        QTest::newRow("no such match") << QStringList{u"risultato"_qs, u"T"_qs, u"99"_qs, u"1-0"_qs} << 1
                                       << u"gara numero 99"_qs;
        QTest::newRow("not two counts") << QStringList{u"risultato"_qs, u"T"_qs, u"1"_qs, u"1:0"_qs} << 1
                                        << u"due numeri di reti"_qs;
        QTest::newRow("unknown status") << QStringList{u"risultato"_qs, u"T"_qs, u"1"_qs, u"1-0"_qs, u"--stato"_qs,
                                                       u"vinta"_qs}
                                        << 2 << u"--stato"_qs;
        QTest::newRow("match number not a number")
            << QStringList{u"risultato"_qs, u"T"_qs, u"uno"_qs, u"1-0"_qs} << 2 << u"numero della gara"_qs;
        QTest::newRow("date that does not exist")
            << QStringList{u"calendario"_qs, u"crea"_qs, u"T"_qs, u"--inizio"_qs, u"31/02/2026"_qs} << 1
            << u"non esiste"_qs;
        QTest::newRow("too many groups") << QStringList{u"calendario"_qs, u"crea"_qs, u"T"_qs, u"--gironi"_qs, u"3"_qs}
                                         << 1 << u"gironi di almeno due squadre"_qs;
        QTest::newRow("unknown team") << QStringList{u"calendario"_qs, u"T"_qs, u"--squadra"_qs, u"Orsi"_qs} << 1
                                      << u"Orsi"_qs;
        QTest::newRow("creation option elsewhere")
            << QStringList{u"calendario"_qs, u"T"_qs, u"--gironi"_qs, u"2"_qs} << 2 << u"calendario crea"_qs;
        QTest::newRow("calendar option elsewhere") << QStringList{u"backup"_qs, u"--giornata"_qs, u"2"_qs} << 2
                                                   << u"--giornata"_qs;
        QTest::newRow("missing tournament") << QStringList{u"calendario"_qs, u"Manca"_qs} << 1 << u"Manca"_qs;
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        // Every refusal but "no calendar" runs on a calendar.
        if (QString::fromLatin1(QTest::currentDataTag()) != u"no calendar"_qs)
            QCOMPARE(cli({u"calendario"_qs, u"crea"_qs, tournament(), u"--conferma"_qs}).exitCode, 0);
        const QByteArray entries = fileContent(tournament());
        const QByteArray matches = fileContent(calendar());
        for (QString& argument : arguments) {
            if (argument == u"T"_qs)
                argument = tournament();
        }
        const Run run = cli(arguments + QStringList{u"--cartella"_qs, m_dir->path()});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(fileContent(tournament()), entries);
        QCOMPARE(fileContent(calendar()), matches);
    }

    void damagedCalendarIsReported()
    {
        QCOMPARE(cli({u"calendario"_qs, u"crea"_qs, tournament(), u"--conferma"_qs}).exitCode, 0);
        QFile file(calendar());
        QVERIFY(file.open(QIODevice::Append));
        file.write("cut");
        file.close();
        const QByteArray before = fileContent(calendar());
        const Run run = cli({u"risultato"_qs, tournament(), u"1"_qs, u"1-0"_qs});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(u"incompleto"_qs));
        QCOMPARE(fileContent(calendar()), before);
    }

private:
    QString tournament() const { return m_dir->filePath(u"Coppa d'autunno.vai"_qs); }
    QString calendar() const { return matches::calendarPath(tournament()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestCalendarCli)
#include "tst_calendarcli.moc"
