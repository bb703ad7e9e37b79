// golvera-cli run as a club would run it: rows and total on standard output, the PDF the print
// button prints, the players whose card or certificate has expired, and the exit codes for a bad
// file and a bad command line.
#include "import/SheetFile.h"
#include "players/ExpiryList.h"
#include "players/ExpiryRows.h"
#include "players/PlayerRows.h"
#include "standings/StandingsTable.h"
#include "storage/Cp1252.h"
#include "storage/PlayerRecord.h"
#include "storage/RecordFile.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "withdrawal/WithdrawalMarks.h"

#include "ArchiveFiles.h"
#include "PdfText.h"
#include "ZipFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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
    QByteArray outBytes;
};

Run cli(const QStringList& arguments, const std::function<void(QProcess&)>& setUp = {})
{
    QProcess process;
    if (setUp)
        setUp(process);
    process.start(QStringLiteral(GOLVERA_CLI), arguments);
    if (!process.waitForFinished(60000))
        qFatal("golvera-cli did not finish");
    const QByteArray out = process.readAllStandardOutput();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(out),
            QString::fromUtf8(process.readAllStandardError()), out};
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

// A player whose card and certificate expire the given number of days from today (the command
// line reads the real clock); an empty text stands for a date that cannot be read.
PlayerRecord expiring(const QString& name, const QString& card, const QString& certificate)
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Squadra = QStringLiteral("Aquile");
    record.Cel = QStringLiteral("333 1234567");
    record.Tessera = QStringLiteral("T-") + name;
    record.ScadTessera = card;
    record.ScadCertificato = certificate;
    record.Reti = QStringLiteral("2");
    return record;
}

// Every byte but zero, framed by letters so that trimming leaves it inside a field, in pieces of
// `width` bytes: the control codes, the euro sign and the other high punctuation, the five bytes
// the code page leaves undefined, the accented letters.
QList<QByteArray> everyByte(int width)
{
    QByteArray all;
    for (int byte = 1; byte < 256; ++byte)
        all += char(byte);
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < all.size(); at += width)
        pieces.append('<' + all.mid(at, width) + '>');
    return pieces;
}

// A tournament entry written byte by byte: each field's bytes at its offset, and `unterminated`
// fields fill all their N + 1 bytes with no zero after them.
QByteArray storedEntry(const QByteArray& name, const QByteArray& contact, const QByteArray& note, const QByteArray& points,
                       bool unterminated = false)
{
    QByteArray record = TournamentRecord().toBytes();
    const auto put = [&](std::string_view field, QByteArray text) {
        const int room = TournamentRecord::Layout.capacityOf(field) + (unterminated ? 1 : 0);
        while (unterminated && text.size() < room)
            text += text;
        text.truncate(room);
        record.replace(TournamentRecord::Layout.offsetOf(field), text.size(), text);
    };
    put("Concorrente", name);
    put("Responsabile", contact);
    put("Note", note);
    put("Punteggio", points);
    return record;
}

// A text as the command line shows it: control characters as blanks, in UTF-8.
QByteArray shown(QString text)
{
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text.toUtf8();
}

QString daysFromToday(int days) { return QDate::currentDate().addDays(days).toString(QStringLiteral("dd/MM/yyyy")); }

// The players' archive of the expiry tests, in file order.
QList<PlayerRecord> players()
{
    return {expiring(QStringLiteral("Verdi"), daysFromToday(-1), daysFromToday(0)),
            expiring(QStringLiteral("Neri"), daysFromToday(0), daysFromToday(-400)),
            expiring(QStringLiteral("Rossi"), QStringLiteral("31/02/2024"), daysFromToday(3)),
            expiring(QStringLiteral("Àlfa"), daysFromToday(-700), QStringLiteral("05-03-2024")),
            expiring(QStringLiteral("Gialli"), daysFromToday(1), QString())};
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

    // The command line writes the screens' own rows, byte for byte in UTF-8, whatever bytes the
    // records hold.
    void rowsAreTheScreensRows_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("merit") << QStringList{"classifica", "merito"};
        QTest::newRow("alphabetical") << QStringList{"classifica", "alfabetica"};
        QTest::newRow("cards") << QStringList{"scadenze", "tessere"};
        QTest::newRow("certificates, 30 days ahead") << QStringList{"scadenze", "certificati", "--entro", "30"};
    }
    void rowsAreTheScreensRows()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir data;
        const QString tournament = data.filePath(QStringLiteral("Prova.vai"));
        QList<QByteArray> entries;
        const QList<QByteArray> notes = everyByte(56);
        const QList<QByteArray> names = everyByte(28);
        for (qsizetype i = 0; i < names.size(); ++i)
            entries.append(storedEntry(names.at(i), "Resp. \x80 \xE0\xE8\xEC\xF2\xF9", notes.at(i % notes.size()),
                                       QByteArray::number(i) + (i % 2 ? ",5\x01" : ",00")));
        entries.append(storedEntry("Senza\x81zero\x8D\x8F\x90\x9D\x7F\x1B[0m", "\xC0\xC8\x80\x09x", "\xFFnota\xA0\xAD",
                                   "9\x80", true));
        QVERIFY(archiveFiles::write(tournament, entries));

        QList<PlayerRecord> players;
        for (const QByteArray& name : everyByte(24)) {
            PlayerRecord player = expiring(cp1252::decode(name), daysFromToday(-2), daysFromToday(20));
            player.Squadra = cp1252::decode("Squadra \x80\x9D\x01 \xE8");
            players.append(player);
        }
        QVERIFY(archiveFiles::writeRecords(data.filePath(QStringLiteral("Archivio_Giocatori.pro")), players));

        QStringList screens;
        const bool standings = arguments.front() == QStringLiteral("classifica");
        if (standings) {
            const auto kind = arguments.at(1) == QStringLiteral("merito") ? standings::Kind::Merit : standings::Kind::Alphabetical;
            const standings::Table table = standings::Table::load(kind, tournament);
            QCOMPARE(table.count(), entries.size());
            for (qsizetype row = 0; row < table.count(); ++row)
                screens << table.text(row);
            screens << QStringLiteral("Totale squadre: %1").arg(table.count());
        } else {
            const auto kind = arguments.at(1) == QStringLiteral("tessere") ? expiryList::Kind::Cards : expiryList::Kind::Certificates;
            const int horizon = arguments.contains(QStringLiteral("--entro")) ? 30 : 0;
            const auto listed =
                ExpiryRows::read(data.filePath(QStringLiteral("Archivio_Giocatori.pro")), kind, QDate::currentDate(), horizon);
            QCOMPARE(listed->count(), players.size());
            for (const qsizetype row : listed->byDate())
                screens << listed->text(row);
        }
        QByteArray expected;
        for (const QString& row : screens)
            expected += shown(row) + '\n';

        const Run run = cli(arguments + (standings ? QStringList{tournament} : QStringList{QStringLiteral("--cartella"), data.path()}));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.outBytes, expected);
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
        QVERIFY(run.out.contains(QStringLiteral("scadenze tessere|certificati [--entro GIORNI]")));
        // Qt's own words around ours are Italian too.
        for (const char* english : {"Usage", "Options", "Arguments", "Displays"})
            QVERIFY2(!run.out.contains(QLatin1String(english)), english);
        QVERIFY(run.out.contains(QStringLiteral("Opzioni:")));
        QVERIFY(!cli({QStringLiteral("--xyz")}).err.contains(QStringLiteral("Unknown")));
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

    // "--cartella DIR" and "--cartella=DIR" name the same folder; any option given twice is refused
    // rather than guessed at.
    void optionForms_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("complaint");
        const QString twice = QStringLiteral("indicata pi\u00F9 volte");
        const QString empty = QStringLiteral("l'opzione --cartella \u00E8 indicata senza valore");
        QTest::newRow("--cartella DIR") << QStringList{"--cartella", "DIR"} << 0 << QString();
        QTest::newRow("--cartella=DIR") << QStringList{"--cartella=DIR"} << 0 << QString();
        QTest::newRow("--cartella twice") << QStringList{"--cartella=ALTRA", "--cartella", "DIR"} << 2 << twice;
        QTest::newRow("--pdf twice") << QStringList{"--cartella=DIR", "--pdf", "a.pdf", "--pdf=b.pdf"} << 2 << twice;
        QTest::newRow("--entro twice") << QStringList{"--cartella=DIR", "--entro=3", "--entro", "4"} << 2 << twice;
        // An empty folder would silently mean the program's own.
        QTest::newRow("--cartella=") << QStringList{"--cartella="} << 2 << empty;
        QTest::newRow("--cartella \"\"") << QStringList{"--cartella", ""} << 2 << empty;
        QTest::newRow("--pdf=") << QStringList{"--cartella=DIR", "--pdf="} << 2
                                << QStringLiteral("l'opzione --pdf \u00E8 indicata senza valore");
    }
    void optionForms()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, complaint);
        QTemporaryDir data, other;
        QVERIFY(QFile::copy(m_tournament, data.filePath(QStringLiteral("Coppa Estate.vai"))));
        QVERIFY(QFile::copy(m_tournament, other.filePath(QStringLiteral("Coppa Estate.vai"))));
        for (QString& option : options)
            option.replace(QStringLiteral("ALTRA"), other.path()).replace(QStringLiteral("DIR"), data.path());
        const Run run = cli(QStringList{QStringLiteral("backup")} + options);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QFileInfo::exists(data.filePath(QStringLiteral("Backup"))), exitCode == 0);
        QVERIFY(!QFileInfo::exists(other.filePath(QStringLiteral("Backup"))));
        if (exitCode == 2)
            QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    }

    // A backup with nothing to back up says so and fails, touching no zip; a folder that does not
    // exist is not made.
    void backupOfNothing()
    {
        QTemporaryDir data;
        const Run empty = cli({QStringLiteral("backup"), QStringLiteral("--cartella"), data.path()});
        QCOMPARE(empty.exitCode, 1);
        QVERIFY2(empty.err.contains(QStringLiteral("nessun archivio da salvare")), qPrintable(empty.err));
        QVERIFY(!empty.out.contains(QStringLiteral("Backup scritto")));
        QCOMPARE(QDir(data.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

        const QString missing = data.filePath(QStringLiteral("manca"));
        const Run none = cli({QStringLiteral("backup"), QStringLiteral("--cartella=") + missing});
        QCOMPARE(none.exitCode, 1);
        QVERIFY2(none.err.contains(QStringLiteral("non esiste")), qPrintable(none.err));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // Rows as the lists show them, the oldest date first; a record whose date cannot be read is
    // counted on standard error and the records after it are still listed.
    void expiryLists_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("names");  // the records listed, in output order
        QTest::addColumn<QString>("skipped");
        QTest::newRow("cards") << QStringList{"tessere"} << QStringList{"Àlfa", "Verdi"} << "1 scheda saltata";
        QTest::newRow("cards, 1 day ahead") << QStringList{"tessere", "--entro", "1"}
                                            << QStringList{"Àlfa", "Verdi", "Neri", "Gialli"} << "1 scheda saltata";
        QTest::newRow("certificates") << QStringList{"certificati"} << QStringList{"Neri"} << "2 schede saltate";
        QTest::newRow("certificates, 3 days ahead") << QStringList{"certificati", "--entro", "3"}
                                                    << QStringList{"Neri", "Verdi", "Rossi"} << "2 schede saltate";
        QTest::newRow("0 days ahead is the plain list") << QStringList{"tessere", "--entro", "0"}
                                                        << QStringList{"Àlfa", "Verdi"} << "1 scheda saltata";
    }
    void expiryLists()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, names);
        QFETCH(QString, skipped);
        QTemporaryDir data;
        const QList<PlayerRecord> records = players();
        QVERIFY(archiveFiles::writeRecords(data.filePath(QStringLiteral("Archivio_Giocatori.pro")), records));
        const Run run = cli(QStringList{QStringLiteral("scadenze")} + arguments + QStringList{QStringLiteral("--cartella"), data.path()});
        QCOMPARE(run.exitCode, 0);
        const bool cards = arguments.front() == QStringLiteral("tessere");
        QString expected;
        for (const QString& name : names) {
            for (const PlayerRecord& record : records) {
                if (record.Giocatore == name)
                    expected += (cards ? playerRows::cardRow(record.toBytes()) : playerRows::certificateRow(record.toBytes())) + u'\n';
            }
        }
        QCOMPARE(run.out, expected);
        QVERIFY2(run.err.contains(skipped), qPrintable(run.err));
    }

    // ritira / riammetti over the three archives: exit 0 done, 1 refused, 2 wrong usage; the
    // archive's bytes never change.
    void withdrawal_data()
    {
        QTest::addColumn<QString>("archive");  // as the command names it
        QTest::addColumn<QString>("file");
        QTest::newRow("teams") << "squadre" << "Archivio_Squadre.pro";
        QTest::newRow("players") << "giocatori" << "Archivio_Giocatori.pro";
        QTest::newRow("tournament by name") << "Coppa" << "Coppa.vai";
        QTest::newRow("tournament by file") << "Coppa.vai" << "Coppa.vai";
    }
    void withdrawal()
    {
        QFETCH(QString, archive);
        QFETCH(QString, file);
        QTemporaryDir data;
        const QString path = data.filePath(file);
        if (file == QStringLiteral("Coppa.vai")) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            for (const char* team : {"Aquile", "Falchi", "Grifoni"})
                out.write(entry(QString::fromLatin1(team), QString(), QStringLiteral("3,00")));
        } else if (file == QStringLiteral("Archivio_Giocatori.pro")) {
            QVERIFY(archiveFiles::writeRecords(path, players()));
        } else {
            QList<TeamRecord> teams;
            for (const char* team : {"Aquile", "Falchi", "Grifoni"}) {
                TeamRecord record;
                record.Squadra = QString::fromLatin1(team);
                teams.append(record);
            }
            QVERIFY(archiveFiles::writeRecords(path, teams));
        }
        const QByteArray before = fileContent(path);
        const auto run = [&](const QString& command, const QStringList& rest) {
            return cli(QStringList{command, archive} + rest + QStringList{QStringLiteral("--cartella"), data.path()});
        };
        const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));

        Run done = run(QStringLiteral("ritira"), {QStringLiteral("2")});
        QCOMPARE(done.exitCode, 0);
        QCOMPARE(done.out, QStringLiteral("Scheda 2 ritirata il %1.\n").arg(today));
        QVERIFY(withdrawal::read(path).isWithdrawn(2));
        QCOMPARE(run(QStringLiteral("ritira"), {QStringLiteral("2")}).exitCode, 1);
        const Run beyond = run(QStringLiteral("ritira"), {QStringLiteral("9")});
        QCOMPARE(beyond.exitCode, 1);
        QVERIFY2(beyond.err.contains(QStringLiteral("non ha la scheda 9")), qPrintable(beyond.err));
        for (const QStringList& wrong : {QStringList{QStringLiteral("x")}, QStringList{QStringLiteral("0")}, QStringList{},
                                         QStringList{QStringLiteral("1"), QStringLiteral("2")}})
            QCOMPARE(run(QStringLiteral("ritira"), wrong).exitCode, 2);

        done = run(QStringLiteral("riammetti"), {QStringLiteral("2")});
        QCOMPARE(done.exitCode, 0);
        QCOMPARE(done.out, QStringLiteral("Scheda 2 riammessa.\n"));
        QVERIFY(withdrawal::read(path).isEmpty());
        QCOMPARE(run(QStringLiteral("riammetti"), {QStringLiteral("2")}).exitCode, 1);
        QCOMPARE(fileContent(path), before);
    }

    void withdrawalOfAMissingArchive()
    {
        QTemporaryDir data;
        const Run run = cli({QStringLiteral("ritira"), QStringLiteral("Nessuno"), QStringLiteral("1"), QStringLiteral("--cartella"),
                             data.path()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(QDir(data.path()).isEmpty());
    }

    // classifica and scadenze leave withdrawn records out; --ritirati lists them with their note.
    void withdrawnRecordsListed_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("left out") << false;
        QTest::newRow("--ritirati") << true;
    }
    void withdrawnRecordsListed()
    {
        QFETCH(bool, shown);
        QTemporaryDir data;
        const QString tournament = data.filePath(QStringLiteral("Coppa.vai"));
        {
            QFile out(tournament);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(entry(QStringLiteral("Aquile"), QString(), QStringLiteral("9,00")));
            out.write(entry(QStringLiteral("Falchi"), QString(), QStringLiteral("6,00")));
        }
        const QString archive = data.filePath(QStringLiteral("Archivio_Giocatori.pro"));
        QVERIFY(archiveFiles::writeRecords(archive, players()));
        const QDate day(2027, 3, 12);
        QCOMPARE(withdrawal::apply(tournament, TournamentRecord::Size, {{1, withdrawal::Action::Withdraw, {}, {}}}, day),
                 withdrawal::Outcome::Done);
        QCOMPARE(withdrawal::apply(archive, PlayerRecord::Size, {{1, withdrawal::Action::Withdraw, {}, {}}}, day),
                 withdrawal::Outcome::Done);
        const QStringList option = shown ? QStringList{QStringLiteral("--ritirati")} : QStringList{};

        const Run standings = cli(QStringList{QStringLiteral("classifica"), QStringLiteral("merito"), tournament} + option);
        QCOMPARE(standings.exitCode, 0);
        QCOMPARE(standings.out.contains(QStringLiteral("Aquile")), shown);
        QCOMPARE(standings.out.contains(QStringLiteral("(Ritirata il 12/03/2027)")), shown);
        QVERIFY(standings.out.contains(QStringLiteral("Falchi")));
        QVERIFY(standings.out.contains(QStringLiteral("Totale squadre: ") + QString::number(shown ? 2 : 1)));

        // Verdi, the first player, has an expired card.
        const Run expiry = cli(QStringList{QStringLiteral("scadenze"), QStringLiteral("tessere"), QStringLiteral("--cartella"),
                                           data.path()} + option);
        QCOMPARE(expiry.exitCode, 0);
        QCOMPARE(expiry.out.contains(QStringLiteral("Verdi")), shown);
        QCOMPARE(expiry.out.contains(QStringLiteral("(Ritirata il 12/03/2027)")), shown);
        QVERIFY(expiry.out.contains(QStringLiteral("\u00C0lfa")));

        QCOMPARE(cli({QStringLiteral("backup"), QStringLiteral("--ritirati"), QStringLiteral("--cartella"), data.path()}).exitCode, 2);
    }

    void expiryListAsPdf()
    {
        QTemporaryDir data;
        QVERIFY(archiveFiles::writeRecords(data.filePath(QStringLiteral("Archivio_Giocatori.pro")), players()));
        const QString pdf = data.filePath(QStringLiteral("scadenze.pdf"));
        const Run run = cli({QStringLiteral("scadenze"), QStringLiteral("tessere"), QStringLiteral("--entro"), QStringLiteral("1"),
                             QStringLiteral("--pdf"), pdf, QStringLiteral("--cartella"), data.path()});
        QCOMPARE(run.exitCode, 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> pages = pdfText::Document(file.readAll()).pages();
        QCOMPARE(pages.size(), 1);
        const QStringList& page = pages.first();
        QCOMPARE(page.size(), 6);
        QCOMPARE(page.at(0), QStringLiteral("Riepilogo tessere scadute o in scadenza entro 1 giorno"));
        QCOMPARE(page.mid(1, 4), run.out.split(u'\n').mid(0, 4));
        QVERIFY(page.at(5).startsWith(QStringLiteral("Stampa eseguita in data ")));
    }

    void expiryFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no archive") << QStringList{"tessere", "--cartella", "manca"} << 1 << "non esiste";
        QTest::newRow("archive is a folder") << QStringList{"tessere", "--cartella", "cartella"} << 1
                                             << QString::fromUtf8("non è un file leggibile");
        QTest::newRow("PDF not written") << QStringList{"certificati", "--pdf", "manca/scadenze.pdf"} << 1
                                         << "impossibile scrivere il PDF";
        QTest::newRow("unknown list") << QStringList{"multe"} << 2 << "elenco sconosciuto";
        QTest::newRow("no list") << QStringList{} << 2 << "tessere oppure certificati";
        QTest::newRow("two lists") << QStringList{"tessere", "certificati"} << 2 << "tessere oppure certificati";
        QTest::newRow("negative days") << QStringList{"tessere", "--entro", "-1"} << 2 << "--entro";
        QTest::newRow("days in words") << QStringList{"tessere", "--entro", "tre"} << 2 << "--entro";
        QTest::newRow("fraction of a day") << QStringList{"tessere", "--entro", "1,5"} << 2 << "--entro";
        QTest::newRow("too many days") << QStringList{"tessere", "--entro", "99999999999"} << 2 << "--entro";
        QTest::newRow("unknown option") << QStringList{"tessere", "--csv"} << 2 << "csv";
        QTest::newRow("days for another command") << QStringList{} << 2 << "--entro";
    }
    void expiryFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir data;
        QVERIFY(archiveFiles::writeRecords(data.filePath(QStringLiteral("Archivio_Giocatori.pro")), players()));
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("cartella/Archivio_Giocatori.pro")));
        QStringList full = QString::fromLatin1(QTest::currentDataTag()) == QStringLiteral("days for another command")
                               ? QStringList{QStringLiteral("classifica"), QStringLiteral("merito"), m_tournament,
                                             QStringLiteral("--entro"), QStringLiteral("3")}
                               : QStringList{QStringLiteral("scadenze")} + arguments;
        for (QString& argument : full) {
            if (argument == QStringLiteral("manca") || argument == QStringLiteral("cartella")
                || argument.startsWith(QStringLiteral("manca/")))
                argument = data.filePath(argument);
        }
        if (!full.contains(QStringLiteral("--cartella")))
            full << QStringLiteral("--cartella") << data.path();
        const Run run = cli(full);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(data.filePath(QStringLiteral("manca"))));  // nothing created
    }

    // The program's help and version need no window, so no display either.
    void programAnswersWithoutADisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");

        QTest::newRow("--help") << QStringLiteral("--help") << QStringLiteral("Opzioni:");
        QTest::newRow("-h") << QStringLiteral("-h") << QStringLiteral("--cartella <cartella>");
        QTest::newRow("--version") << QStringLiteral("--version") << QStringLiteral("Golvera ");
        QTest::newRow("--cartella=") << QStringLiteral("--cartella=") << QStringLiteral("indicata senza valore");
    }

    void programAnswersWithoutADisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, expected);

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(display));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(GOLVERA_PROGRAM), {option});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        // A mistake on the command line is told on the error output, with exit code 2.
        const bool mistake = option.endsWith(u'=');
        QCOMPARE(program.exitCode(), mistake ? 2 : 0);
        QVERIFY(QString::fromUtf8(mistake ? program.readAllStandardError() : program.readAllStandardOutput()).contains(expected));
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

    // A season's teams from a spreadsheet: shown first, written only with --conferma.
    void importShowsThenWrites()
    {
        QTemporaryDir data;
        const QString sheet = data.filePath(QStringLiteral("squadre.csv"));
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Squadra;Campo;Colonna ignota\r\nAquile;Comunale;x\r\n;senza nome;y\r\nFalchi;;\r\n");
        file.close();
        const QString archive = data.filePath(QStringLiteral("Archivio_Squadre.pro"));

        Run run = cli({QStringLiteral("importa"), QStringLiteral("squadre"), sheet, QStringLiteral("--cartella"), data.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("  Colonna ignota -> (non importata)\n")));
        QVERIFY(run.out.contains(QStringLiteral("  riga 3: manca \u00ABSquadra\u00BB\n")));
        QVERIFY(run.out.contains(QStringLiteral("Schede da aggiungere: 2\n")));
        QVERIFY(!QFile::exists(archive));

        run = cli({QStringLiteral("importa"), QStringLiteral("squadre"), sheet, QStringLiteral("--cartella=") + data.path(),
                   QStringLiteral("--conferma")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("Schede aggiunte: 2\n")));
        QCOMPARE(QFileInfo(archive).size(), 2 * TeamRecord::Size);
        QCOMPARE(TeamRecord::fromBytes(fileContent(archive).left(TeamRecord::Size)).Campo, QStringLiteral("Comunale"));
    }

    void importRefusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("exitCode");

        const QByteArray good = "Squadra\nAquile\n";
        QTest::newRow("no archive named") << QStringList{"importa", "x.csv"} << good << 2;
        QTest::newRow("unknown archive") << QStringList{"importa", "tornei", "x.csv"} << good << 2;
        QTest::newRow("missing file") << QStringList{"importa", "squadre", "manca.csv"} << good << 1;
        QTest::newRow("binary Excel") << QStringList{"importa", "squadre", "x.csv"}
                                      << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) << 1;
        QTest::newRow("no column matches") << QStringList{"importa", "squadre", "x.csv"} << QByteArray("Foo;Bar\n1;2\n") << 1;
        QTest::newRow("no importable row") << QStringList{"importa", "squadre", "x.csv"} << QByteArray("Squadra;Note\n;n\n") << 1;
        QTest::newRow("header only") << QStringList{"importa", "giocatori", "x.csv"} << QByteArray("Giocatore\n") << 1;
        QTest::newRow("--conferma with another command") << QStringList{"backup"} << good << 2;
        QTest::newRow("--conferma twice") << QStringList{"importa", "squadre", "x.csv", "--conferma"} << good << 2;
        QTest::newRow("--aggiorna twice") << QStringList{"importa", "squadre", "x.csv", "--aggiorna", "--aggiorna"} << good << 2;
    }

    void importRefusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);

        QTemporaryDir data;
        QFile file(data.filePath(QStringLiteral("x.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (arguments.size() > 2)
            arguments[2] = data.filePath(arguments.at(2));
        const Run run = cli(arguments + QStringList{"--cartella", data.path(), "--conferma"});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(run.err.startsWith(QStringLiteral("golvera-cli: ")));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{"x.csv"});
    }

    // An import killed without warning at a random moment, again and again: whoever opens the
    // folder next finds the archive as it was or with the whole import, never a part of it.
    void importKilledLeavesOldOrNew_data()
    {
        QTest::addColumn<bool>("updating");
        QTest::newRow("adding") << false;
        QTest::newRow("updating") << true;
    }
    void importKilledLeavesOldOrNew()
    {
        QFETCH(bool, updating);
        QTemporaryDir data, copy;
        const QString sheet = data.filePath(QStringLiteral("squadre.csv"));
        const QString archive = QStringLiteral("/Archivio_Squadre.pro");
        QByteArray rows = "Squadra;Campo\r\n";
        QList<TeamRecord> stored{TeamRecord()};
        stored.front().Squadra = QStringLiteral("Lupi");
        for (int i = 1; i <= 4000; ++i) {
            rows += "Squadra " + QByteArray::number(i) + ";Campo " + QByteArray::number(updating ? i + 1 : i) + "\r\n";
            if (updating) {
                stored.append(TeamRecord());
                stored.back().Squadra = QStringLiteral("Squadra %1").arg(i);
                stored.back().Campo = QStringLiteral("Campo %1").arg(i);
            }
        }
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rows) == rows.size());
        file.close();
        QVERIFY(archiveFiles::writeRecords<TeamRecord>(copy.path() + archive, stored));
        const QByteArray old = fileContent(copy.path() + archive);

        QStringList arguments{QStringLiteral("importa"), QStringLiteral("squadre"), sheet, QStringLiteral("--conferma")};
        if (updating)
            arguments << QStringLiteral("--aggiorna");
        // Once whole, for the new archive and the time it takes.
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(cli(arguments + QStringList{QStringLiteral("--cartella"), copy.path()}).exitCode, 0);
        const qint64 whole = timer.elapsed();
        const QByteArray done = fileContent(copy.path() + archive);
        QVERIFY(done != old);

        int kept = 0;
        for (int run = 0; run < 3; ++run) {
            QVERIFY(QFile::remove(data.path() + archive) || !QFile::exists(data.path() + archive));
            QVERIFY(archiveFiles::writeRecords<TeamRecord>(data.path() + archive, stored));
            QProcess process;
            process.start(QStringLiteral(GOLVERA_CLI), arguments + QStringList{QStringLiteral("--cartella"), data.path()});
            QVERIFY(process.waitForStarted());
            QThread::msleep(QRandomGenerator::global()->bounded(quint32(std::max<qint64>(whole, 2))));
            ::kill(pid_t(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished(60000));
            // The next station opens the archive.
            const qint64 count = RecordFile(data.path() + archive, TeamRecord::Size).count();
            const QByteArray now = fileContent(data.path() + archive);
            QVERIFY2(now == old || now == done, qPrintable(QStringLiteral("run %1: %2 bytes, neither the old archive nor the new one").arg(run).arg(now.size())));
            QCOMPARE(count, now.size() / TeamRecord::Size);
            kept += now == old ? 1 : 0;
        }
        qInfo("%d of 3 killed imports left the old archive", kept);
    }

    // Two stations import the same file at once: each record is in the archive once, and what one
    // added the other reports as skipped.
    void twoStationsImportTheSameFile()
    {
        QTemporaryDir data;
        const QString sheet = data.filePath(QStringLiteral("squadre.csv"));
        QByteArray rows = "Squadra;Campo\r\n";
        constexpr int Rows = 3000;
        for (int i = 1; i <= Rows; ++i)
            rows += "Squadra " + QByteArray::number(i) + ";Campo\r\n";
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rows) == rows.size());
        file.close();
        QProcess stations[2];
        for (QProcess& station : stations)
            station.start(QStringLiteral(GOLVERA_CLI), {QStringLiteral("importa"), QStringLiteral("squadre"), sheet,
                                                       QStringLiteral("--conferma"), QStringLiteral("--cartella"), data.path()});
        int added = 0;
        int skipped = 0;
        const QRegularExpression addedLine(QStringLiteral("Schede aggiunte: (\\d+)"));
        const QRegularExpression skippedLine(QStringLiteral("Righe saltate perch\u00E9 gi\u00E0 in archivio: (\\d+)"));
        for (QProcess& station : stations) {
            QVERIFY(station.waitForFinished(60000));
            QCOMPARE(station.exitCode(), 0);
            const QString out = QString::fromUtf8(station.readAllStandardOutput());
            added += addedLine.match(out).captured(1).toInt();
            skipped += skippedLine.match(out).captured(1).toInt();
        }
        QCOMPARE(added, Rows);
        QCOMPARE(skipped, Rows);
        QCOMPARE(QFileInfo(data.filePath(QStringLiteral("Archivio_Squadre.pro"))).size(), qint64(Rows) * TeamRecord::Size);
    }

    // Workbooks are zips, read through the zip plugin: a program installed without it says so,
    // instead of calling the workbook damaged, and writes nothing.
    void importWorkbookWithoutTheZipPlugin()
    {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("bin")));
        const QString program = data.filePath(QStringLiteral("bin/golvera-cli"));  // no lib/golvera beside it
        QVERIFY(QFile::copy(QStringLiteral(GOLVERA_CLI), program));
        const QString sheet = data.filePath(QStringLiteral("squadre.xlsx"));
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(zipFixture::make({{QStringLiteral("readme.txt"), "ciao"}}));
        file.close();

        QProcess process;
        process.start(program, {QStringLiteral("importa"), QStringLiteral("squadre"), sheet, QStringLiteral("--cartella"),
                                data.path(), QStringLiteral("--conferma")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(
            QStringLiteral("Il file non pu\u00F2 essere letto: il supporto per i file zip non \u00E8 installato (manca il "
                           "file libgolvera_zip.so, cercato nella cartella ")
            + data.filePath(QStringLiteral("lib/golvera")) + QStringLiteral(").")));
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("Archivio_Squadre.pro"))));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
