// The program folder that travels: laid out by scripts/portable.sh from the build, copied elsewhere
// and made read-only, it starts, makes its automatic backup, prints a PDF, backs up on demand and
// writes a workbook with its own plugins; with a plugin taken out, the message names its file and
// where it was looked for.
#include "app/DataFolder.h"
#include "app/Plugins.h"
#include "output/WorkbookPlugin.h"
#include "platform/PrintPlugin.h"
#include "storage/TournamentRecord.h"
#include "ArchiveFiles.h"

#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        qFatal("%s did not finish", qPrintable(program));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray head(const QString& path, int bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

}  // namespace

class TestPortable : public QObject {
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_laid;  // as portable.sh made it
    QString m_copy;  // copied elsewhere, read-only
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();

    QString work(const QString& name) const { return m_work.filePath(name); }
    // The user's data folder when the read-only copy cannot be written; a user who can write
    // there all the same (root) keeps the data in the copy, as the program decides by trying.
    QString dataFolder() const
    {
        return ::dataFolder::isWritable(m_copy) ? m_copy : work(QStringLiteral("casa/dati/Golvera"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        m_laid = work(QStringLiteral("stampa/Golvera"));
        m_copy = work(QStringLiteral("chiavetta/Golvera"));
        const Run laid = run(QStringLiteral("bash"),
                             {QStringLiteral(GOLVERA_SOURCE_DIR "/scripts/portable.sh"), m_laid, QStringLiteral(GOLVERA_BUILD_DIR)},
                             m_environment);
        QVERIFY2(laid.exitCode == 0, qPrintable(laid.err));
        for (const QString& file : {QStringLiteral("golvera"), QStringLiteral("golvera-cli"), QStringLiteral("unins000.dll"),
                                    QStringLiteral("Guida.pdf"), QStringLiteral("lib/golvera/libgolvera_zip.so"),
                                    QStringLiteral("lib/golvera/libgolvera_print.so"), QStringLiteral("lib/golvera/libgolvera_pdf.so"),
                                    QStringLiteral("lib/golvera/libgolvera_xlsx.so"), QStringLiteral("lib/golvera/libgolvera_webcam.so")})
            QVERIFY2(QFile::exists(m_laid + u'/' + file), qPrintable(file));
        // A second run never lays out over a folder in use.
        QVERIFY(run(QStringLiteral("bash"), {QStringLiteral(GOLVERA_SOURCE_DIR "/scripts/portable.sh"), m_laid,
                                             QStringLiteral(GOLVERA_BUILD_DIR)}, m_environment).exitCode != 0);

        QVERIFY(QDir().mkpath(work(QStringLiteral("chiavetta"))));
        QCOMPARE(run(QStringLiteral("cp"), {QStringLiteral("-a"), m_laid, m_copy}, m_environment).exitCode, 0);
        QCOMPARE(run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w"), m_copy}, m_environment).exitCode, 0);

        // The user's own data folder, where a read-only program folder keeps the data.
        m_environment.insert(QStringLiteral("HOME"), work(QStringLiteral("casa")));
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), work(QStringLiteral("casa/dati")));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    void cleanupTestCase()
    {
        // Writable again, so the temporary folder can go.
        run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), m_work.path()}, m_environment);
    }

    // Started from the read-only copy: the login is up, the first-access store is in the data
    // folder, and the day's backup is written with the copy's zip plugin.
    void startsAndBacksUp()
    {
        QProcess program;
        program.setProcessEnvironment(m_environment);
        program.start(m_copy + QStringLiteral("/golvera"), QStringList());
        QVERIFY(program.waitForStarted());
        const QDir backups(dataFolder() + QStringLiteral("/Backup"));
        QTRY_VERIFY_WITH_TIMEOUT(!backups.entryList({QStringLiteral("*.zip")}, QDir::Files).isEmpty(), 30000);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QVERIFY(QFile::exists(dataFolder() + QStringLiteral("/unins000.dll")));
        const QString zip = backups.filePath(backups.entryList({QStringLiteral("*.zip")}, QDir::Files).front());
        QCOMPARE(head(zip, 4), QByteArray("PK\x03\x04"));
        const QString log = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(!log.contains(QStringLiteral("not loaded")), qPrintable(log));

        const Run backup = run(m_copy + QStringLiteral("/golvera-cli"), {QStringLiteral("backup")}, m_environment);
        QVERIFY2(backup.exitCode == 0, qPrintable(backup.err));
    }

    void printsToPdf()
    {
        TournamentRecord entry;
        entry.Concorrente = QStringLiteral("Aquile");
        entry.Punteggio = QStringLiteral("3,00");
        entry.Completato = QStringLiteral("No");
        QVERIFY(QDir().mkpath(dataFolder()));
        const QString tournament = dataFolder() + QStringLiteral("/Coppa.vai");
        QVERIFY(archiveFiles::writeRecords(tournament, QList<TournamentRecord>{entry}));
        const QString pdf = work(QStringLiteral("classifica.pdf"));
        const Run printed = run(m_copy + QStringLiteral("/golvera-cli"),
                                {QStringLiteral("classifica"), QStringLiteral("merito"), tournament, QStringLiteral("--pdf"), pdf},
                                m_environment);
        QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
        QCOMPARE(head(pdf, 5), QByteArray("%PDF-"));
    }

    // The desktop program finds its plugins where the copy put them: printing loads, and a
    // workbook is written.
    void desktopPluginsLoadFromTheCopy()
    {
        const QString folder = plugins::folderBeside(m_copy);
        QCOMPARE(folder, m_copy + QStringLiteral("/lib/golvera"));
        QVERIFY(qobject_cast<PrintPlugin*>(plugins::load(folder, plugins::print)));
        auto* workbooks = qobject_cast<WorkbookPlugin*>(plugins::load(folder, plugins::workbook));
        QVERIFY(workbooks);
        QTemporaryDir scratch;
        const QString xlsx = work(QStringLiteral("Torneo.xlsx"));
        QString error;
        const std::unique_ptr<WorkbookWriter> book = workbooks->create(xlsx, scratch.path(), QStringLiteral("Torneo"), &error);
        QVERIFY2(book, qPrintable(error));
        QVERIFY(book->text(0, 0, QStringLiteral("Squadra"), true));
        QVERIFY(book->number(1, 0, 3, 2));
        QCOMPARE(book->close(), QString());
        QCOMPARE(head(xlsx, 4), QByteArray("PK\x03\x04"));
    }

    void aMissingPluginIsNamed_data()
    {
        QTest::addColumn<QString>("plugin");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("pdf") << plugins::pdf
                             << QStringList{QStringLiteral("classifica"), QStringLiteral("merito"), QStringLiteral("Coppa.vai"),
                                            QStringLiteral("--pdf"), QStringLiteral("c.pdf")};
        QTest::newRow("zip") << plugins::zip << QStringList{QStringLiteral("backup")};
    }
    void aMissingPluginIsNamed()
    {
        QFETCH(QString, plugin);
        QFETCH(QStringList, arguments);
        const QString copy = work(QStringLiteral("senza_") + plugin);
        QCOMPARE(run(QStringLiteral("cp"), {QStringLiteral("-a"), m_laid, copy}, m_environment).exitCode, 0);
        QVERIFY(QFile::remove(copy + QStringLiteral("/lib/golvera/") + plugins::fileName(plugin)));
        QVERIFY(QDir().mkpath(dataFolder()));
        for (QString& argument : arguments) {
            if (argument.endsWith(QStringLiteral(".vai")) || argument.endsWith(QStringLiteral(".pdf")))
                argument = dataFolder() + u'/' + argument;
        }
        const Run failed = run(copy + QStringLiteral("/golvera-cli"), arguments, m_environment);
        QVERIFY(failed.exitCode != 0);
        const QString named = QStringLiteral("manca il file lib%1.so, cercato nella cartella %2/lib/golvera").arg(plugin, copy);
        QVERIFY2(failed.err.contains(named), qPrintable(failed.err));
        QCOMPARE(failed.err.count(QStringLiteral("manca il file")), 1);
    }
};

QTEST_GUILESS_MAIN(TestPortable)
#include "tst_portable.moc"
