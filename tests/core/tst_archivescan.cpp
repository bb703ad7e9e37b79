// The one archive reading of every list: rows of the accepted records with their positions, a
// missing archive created empty, and failures reported, never thrown.
#include "output/ArchiveScan.h"
#include "storage/TournamentRecord.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

class TestArchiveScan : public QObject {
    Q_OBJECT

private slots:
    void acceptedRowsCarryTheirPositions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Coppa.vai"));
        QByteArray bytes;
        for (const char* team : {"Aquile", "Falchi", "Aquile", "Lupi"}) {
            TournamentRecord record;
            record.Concorrente = QString::fromLatin1(team);
            bytes += record.toBytes();
        }
        bytes += QByteArray(100, 'x');  // an append that never finished
        QVERIFY(writeFile(path, bytes));

        const archiveScan::Result result = archiveScan::rows<TournamentRecord>(
            path, [](const TournamentRecord& r) { return r.Concorrente != QLatin1String("Falchi"); },
            [](const TournamentRecord& r) { return r.Concorrente.toUpper(); });
        QVERIFY(!result.failed());
        QCOMPARE(result.rows.size(), 3);
        const QList<qint64> positions{result.rows[0].position, result.rows[1].position, result.rows[2].position};
        QCOMPARE(positions, (QList<qint64>{1, 3, 4}));
        QCOMPARE(result.rows[2].text, QStringLiteral("LUPI"));
    }

    void missingArchiveIsCreatedEmpty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Nuovo.vai"));
        const archiveScan::Result result =
            archiveScan::rows(path, 10, [](QByteArrayView) { return std::optional<QString>(QStringLiteral("x")); });
        QVERIFY(!result.failed());
        QVERIFY(result.rows.isEmpty());
        QVERIFY(QFileInfo(path).isFile());
    }

    // A failure is text: the caller decides whether to show it or keep the rows read before it.
    void failuresAreReportedNotThrown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder missing") << QStringLiteral("manca/Coppa.vai");
        QTest::newRow("archive is a folder") << QStringLiteral("cartella.vai");
    }

    void failuresAreReportedNotThrown()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cartella.vai")));
        const archiveScan::Result result =
            archiveScan::rows(dir.filePath(name), 10, [](QByteArrayView) { return std::optional<QString>(QStringLiteral("x")); });
        QVERIFY(result.failed());
        QVERIFY(result.rows.isEmpty());
    }

    void aRuleThatThrowsEndsTheScanKeepingEarlierRows()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(writeFile(path, archiveBytes(8, 3)));
        int seen = 0;
        const archiveScan::Result result = archiveScan::rows(path, 8, [&seen](QByteArrayView) -> std::optional<QString> {
            if (++seen == 2)
                throw ArchiveError("damaged record");
            return QStringLiteral("row");
        });
        QVERIFY(result.failed());
        QCOMPARE(result.rows.size(), 1);
        QCOMPARE(result.rows.front().position, 1);
    }
};

QTEST_GUILESS_MAIN(TestArchiveScan)
#include "tst_archivescan.moc"
