// Every input in the fuzzers' corpus, run through the same checks the fuzzers make: the inputs
// that once found a fault stay tested without clang or libFuzzer.
#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFuzzCorpus : public QObject {
    Q_OBJECT

private slots:
    void corpus_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("input");
        const QList<fuzzChecks::Target>& targets = fuzzChecks::targets();
        for (int t = 0; t < targets.size(); ++t) {
            const QDir folder(QStringLiteral(GOLVERA_FUZZ_CORPUS "/") + QLatin1String(targets[t].name));
            const QStringList inputs = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
            if (inputs.isEmpty())
                qFatal("no corpus for %s in %s", targets[t].name, qPrintable(folder.path()));
            for (const QString& input : inputs)
                QTest::addRow("%s/%s", targets[t].name, qPrintable(input)) << t << folder.filePath(input);
        }
    }
    void corpus()
    {
        QFETCH(int, target);
        QFETCH(QString, input);
        QFile file(input);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString failure = fuzzChecks::targets().at(target).check(file.readAll());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_APPLESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
