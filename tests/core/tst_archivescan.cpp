// The one archive reading of every list, search, export and standings: each whole record with its
// position, a missing archive created empty, and failures reported, never thrown.
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
    void recordsCarryTheirPositions()
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

        QList<qint64> positions;
        QStringList teams;
        const QString error = archiveScan::visit(path, TournamentRecord::Size, [&](qint64 position, QByteArrayView record) {
            positions << position;
            teams << TournamentRecord::fromBytes(record).Concorrente;
        });
        QVERIFY(error.isEmpty());
        QCOMPARE(positions, (QList<qint64>{1, 2, 3, 4}));
        QCOMPARE(teams, (QStringList{QStringLiteral("Aquile"), QStringLiteral("Falchi"), QStringLiteral("Aquile"),
                                     QStringLiteral("Lupi")}));
    }

    void missingArchiveIsCreatedEmpty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Nuovo.vai"));
        int seen = 0;
        QVERIFY(archiveScan::visit(path, 10, [&seen](qint64, QByteArrayView) { ++seen; }).isEmpty());
        QCOMPARE(seen, 0);
        QVERIFY(QFileInfo(path).isFile());
    }

    // A failure is text: the caller decides whether to show it or keep what it read before it.
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
        int seen = 0;
        QVERIFY(!archiveScan::visit(dir.filePath(name), 10, [&seen](qint64, QByteArrayView) { ++seen; }).isEmpty());
        QCOMPARE(seen, 0);
    }

    void aVisitorThatThrowsEndsTheScan()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(writeFile(path, archiveBytes(8, 3)));
        QList<qint64> seen;
        const QString error = archiveScan::visit(path, 8, [&seen](qint64 position, QByteArrayView) {
            seen << position;
            if (position == 2)
                throw ArchiveError("damaged record");
        });
        QVERIFY(!error.isEmpty());
        QCOMPARE(seen, (QList<qint64>{1, 2}));
    }
};

QTEST_GUILESS_MAIN(TestArchiveScan)
#include "tst_archivescan.moc"
