// The program's plugins (webcam, printing, zip files, workbooks), loaded when first needed: those it builds
// load, and without them the program works all the same and says what is missing.
#include "app/Plugins.h"
#include "backup/ZipPlugin.h"
#include "output/WorkbookPlugin.h"
#include "platform/CameraPlugin.h"
#include "platform/PluginPrintOutput.h"
#include "platform/PrintPlugin.h"

#include "FakePlatform.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestPlugins : public QObject {
    Q_OBJECT

private slots:
    void theProgramsPluginsLoad_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("webcam") << plugins::webcam;
        QTest::newRow("printing") << plugins::print;
        QTest::newRow("zip files") << plugins::zip;
        QTest::newRow("workbooks") << plugins::workbook;
    }
    void theProgramsPluginsLoad()
    {
        QFETCH(QString, name);
        QObject* root = plugins::load(QStringLiteral(GOLVERA_PLUGIN_DIR), name);
        QVERIFY(root);
        const bool implemented = name == plugins::webcam     ? qobject_cast<CameraPlugin*>(root) != nullptr
                                 : name == plugins::print    ? qobject_cast<PrintPlugin*>(root) != nullptr
                                 : name == plugins::workbook ? qobject_cast<WorkbookPlugin*>(root) != nullptr
                                                             : qobject_cast<ZipPlugin*>(root) != nullptr;
        QVERIFY(implemented);
    }

    void printingWithoutItsPlugin()
    {
        FakePlatform fake;
        QTemporaryDir noPlugins;
        PluginPrintOutput output(noPlugins.path());
        // Said once, as not available: not a print that failed, which would say so a second time.
        QCOMPARE(output.print({}, nullptr), platform::PrintResult::Cancelled);
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, platform::MessageKind::Error);
        QCOMPARE(fake.lastMessage().text, u"La stampa non \u00E8 disponibile: il supporto per la stampa non \u00E8 installato.\r\n\r\n"
                                          "Manca il file libgolvera_print.so, cercato nella cartella "_s
                                              + noPlugins.path() + u"."_s);
    }
};

QTEST_MAIN(TestPlugins)
#include "tst_plugins.moc"
