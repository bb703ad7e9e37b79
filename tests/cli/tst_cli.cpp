// golvera-cli run as a club would run it: rows and total on standard output, the PDF the print
// button prints, and the exit codes for a bad file and a bad command line.
#include "storage/TournamentRecord.h"

#include "PdfText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <sys/resource.h>

namespace {

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& arguments, const std::function<void(QProcess&)>& setUp = {})
{
    QProcess process;
    if (setUp)
        setUp(process);
    process.start(QStringLiteral(GOLVERA_CLI), arguments);
    if (!process.waitForFinished(60000))
        qFatal("golvera-cli did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray entry(const QString& name, const QString& contact, const QString& points)
{
    TournamentRecord record;
    record.Concorrente = name;
    record.Responsabile = contact;
    record.Punteggio = points;
    record.setCompletato(true);
    return record.toBytes();
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_tournament;

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_tournament = m_folder.filePath(QStringLiteral("Coppa Estate.vai"));
        QFile file(m_tournament);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry(QStringLiteral("Città di Castello"), QStringLiteral("Anna Neri"), QStringLiteral("7,00")));
        file.write(entry(QStringLiteral("Aquile"), QStringLiteral("Mario Rossi"), QStringLiteral("12,50")));
        file.write(entry(QStringLiteral("beta"), QString(), QString()));
    }

    void rowsAndTotal_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("lines");
        const QString blanks = QString(58, QLatin1Char(' '));
        QTest::newRow("merit") << "merito"
            << QStringList{"1      Aquile                          Resp. Mario Rossi                Note: " + blanks + "  Punti: 12,50",
                           QString::fromUtf8("2      Città di Castello               Resp. Anna Neri                  Note: ") + blanks + "  Punti: 7,00",
                           "3      beta                            Resp.                            Note: " + blanks + "  Punti: ",
                           "Totale squadre: 3"};
        QTest::newRow("alphabetical") << "alfabetica"
            << QStringList{"Aquile                          Resp. Mario Rossi                     Note: " + blanks + "  Punti: 12,50",
                           QString::fromUtf8("Città di Castello               Resp. Anna Neri                       Note: ") + blanks + "  Punti: 7,00",
                           "Totale squadre: 2"};
    }
    void rowsAndTotal()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, lines);
        const Run run = cli({QStringLiteral("classifica"), kind, m_tournament});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    void pdfIsThePrintedDocument()
    {
        const QString pdf = m_folder.filePath(QStringLiteral("classifica.pdf"));
        const Run run = cli({QStringLiteral("classifica"), QStringLiteral("alfabetica"), m_tournament, QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.exitCode, 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        const QList<QStringList> pages = pdfText::Document(bytes).pages();
        QCOMPARE(pages.size(), 1);
        const QStringList& page = pages.first();
        QCOMPARE(page.size(), 6);
        QCOMPARE(page.at(0), QStringLiteral("Classifica alfabetica Coppa Estate"));
        QCOMPARE(page.mid(1, 2), run.out.split(QLatin1Char('\n')).mid(0, 2));
        QCOMPARE(page.at(3), QStringLiteral("- - - - - - - - - - - - - - - -"));
        QCOMPARE(page.at(4), QStringLiteral("TOTALE SQUADRE:              2"));
        QVERIFY(page.at(5).startsWith(QStringLiteral("Stampa eseguita in data ")));
    }

    void badFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "Assente.vai" << "non esiste";
        QTest::newRow("a folder") << "Cartella.vai" << QString::fromUtf8("non è un file leggibile");
    }
    void badFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("Cartella.vai")));
        const QString full = m_folder.filePath(path);
        const Run run = cli({QStringLiteral("classifica"), QStringLiteral("merito"), full});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.err.contains(full));
        QVERIFY(!QFileInfo(m_folder.filePath(QStringLiteral("Assente.vai"))).exists());  // nothing created
    }

    void pdfThatCannotBeWritten()
    {
        const QString pdf = m_folder.filePath(QStringLiteral("manca/classifica.pdf"));
        const Run run = cli({QStringLiteral("classifica"), QStringLiteral("merito"), m_tournament, QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(pdf));
    }

    // A disk that fills up: the file size limit fails the PDF's writes as a full disk does, and
    // /dev/full fails every write to standard output.
    void fullDisk_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::newRow("PDF") << true;
        QTest::newRow("standard output") << false;
    }
    void fullDisk()
    {
        QFETCH(bool, pdf);
        const QString document = m_folder.filePath(QStringLiteral("piena.pdf"));
        QFile old(document);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("%PDF-1.4 la classifica di ieri");
        old.close();

        QStringList arguments{QStringLiteral("classifica"), QStringLiteral("merito"), m_tournament};
        if (pdf)
            arguments << QStringLiteral("--pdf") << document;
        const Run run = cli(arguments, [pdf](QProcess& process) {
            if (!pdf) {
                process.setStandardOutputFile(QStringLiteral("/dev/full"));
                return;
            }
            process.setChildProcessModifier([] {
                const rlimit limit{2048, 2048};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                ::signal(SIGXFSZ, SIG_IGN);
            });
        });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("golvera-cli: impossibile scrivere")), qPrintable(run.err));
        QVERIFY(run.err.contains(pdf ? document : QStringLiteral("standard output")));
        QCOMPARE(fileContent(document), QByteArray("%PDF-1.4 la classifica di ieri"));
        QCOMPARE(QDir(m_folder.path()).entryList({QStringLiteral("*piena*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("piena.pdf")});
    }

    // Tabs and escape sequences stored in an entry would act on the terminal.
    void controlCharactersShownAsBlanks()
    {
        const QString path = m_folder.filePath(QStringLiteral("Controlli.vai"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry(QStringLiteral("Aqu\x1B[31mile\tX\x7F"), QStringLiteral("Anna\rNeri"), QStringLiteral("1,00")));
        file.close();
        const Run run = cli({QStringLiteral("classifica"), QStringLiteral("alfabetica"), path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("Aqu [31mile X  ")), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("Resp. Anna Neri ")));
        for (QChar c : run.out)
            QVERIFY2(c == u'\n' || c.category() != QChar::Other_Control, qPrintable(run.out));
    }

    void badUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"elenco", "merito", "x.vai"};
        QTest::newRow("unknown kind") << QStringList{"classifica", "punti", "x.vai"};
        QTest::newRow("no file") << QStringList{"classifica", "merito"};
        QTest::newRow("too many") << QStringList{"classifica", "merito", "a.vai", "b.vai"};
        QTest::newRow("unknown option") << QStringList{"classifica", "merito", "a.vai", "--csv"};
        QTest::newRow("pdf without file") << QStringList{"classifica", "merito", "a.vai", "--pdf"};
    }
    void badUsage()
    {
        QFETCH(QStringList, arguments);
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("classifica")));
    }

    void help()
    {
        const Run run = cli({QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("merito")));
        QVERIFY(run.out.contains(QStringLiteral("--pdf")));
        QVERIFY(run.out.contains(QStringLiteral("ripristina")));
        // Which folder is in use.
        const Run given = cli({QStringLiteral("--help"), QStringLiteral("--cartella"), m_folder.path()});
        QVERIFY(given.out.contains(QStringLiteral("Cartella dei dati: ") + m_folder.path()));
    }

    // A backup of the folder, restored into an empty one, gives the same tournament; a folder that
    // already holds archives is refused and left as it is.
    void backupAndRestore()
    {
        QTemporaryDir data, target;
        QVERIFY(QFile::copy(m_tournament, data.filePath(QStringLiteral("Coppa Estate.vai"))));
        const Run made = cli({QStringLiteral("backup"), QStringLiteral("--cartella"), data.path()});
        QCOMPARE(made.exitCode, 0);
        const QStringList zips = QDir(data.filePath(QStringLiteral("Backup"))).entryList({QStringLiteral("*.zip")});
        QCOMPARE(zips.size(), 1);
        const QString zip = data.filePath(QStringLiteral("Backup/") + zips.front());
        QVERIFY(made.out.contains(zips.front()));

        const QString into = target.filePath(QStringLiteral("nuova"));
        QCOMPARE(cli({QStringLiteral("ripristina"), zip, QStringLiteral("--cartella"), into}).exitCode, 0);
        QFile original(m_tournament), restored(into + QStringLiteral("/Coppa Estate.vai"));
        QVERIFY(original.open(QIODevice::ReadOnly) && restored.open(QIODevice::ReadOnly));
        QCOMPARE(restored.readAll(), original.readAll());

        const Run refused = cli({QStringLiteral("ripristina"), zip, QStringLiteral("--cartella"), data.path()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains(QStringLiteral("contiene gi\u00E0 degli archivi")));
        QCOMPARE(cli({QStringLiteral("ripristina"), QStringLiteral("--cartella"), into}).exitCode, 2);
        QCOMPARE(cli({QStringLiteral("ripristina"), data.filePath(QStringLiteral("manca.zip"))}).exitCode, 1);
    }

    // The version shown is the project's own version number.
    void version()
    {
        QFile lists(QStringLiteral(GOLVERA_SOURCE_DIR "/CMakeLists.txt"));
        QVERIFY(lists.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch project =
            QRegularExpression(QStringLiteral("project\\(Golvera VERSION ([0-9.]+)")).match(QString::fromUtf8(lists.readAll()));
        QVERIFY(project.hasMatch());
        const Run run = cli({QStringLiteral("--version")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.trimmed(), QStringLiteral("golvera-cli ") + project.captured(1));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
