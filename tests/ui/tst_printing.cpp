// Every way the program prints, on a printer that does not take the pages and on a print dialog
// that is cancelled: a failure is always told, with the screen's own warning where it has one; a
// cancel never is.
#include "output/Anteprima.h"
#include "output/ReportLayout.h"
#include "players/StampaGiocatore.h"
#include "teams/Selezionate.h"
#include "teams/StampaSquadra.h"
#include "tournament/EntrySheet.h"
#include "tournament/StampaPagina.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QAbstractButton>
#include <QtTest>

#include <memory>

using platform::MessageKind;
using platform::PrintResult;
using namespace Qt::StringLiterals;

namespace {

enum class Path { TeamSheet, PlayerSheet, EntrySheet, Preview, List };

// The dialog of that path, ready for its print button to be pressed.
std::unique_ptr<QDialog> dialogFor(Path path)
{
    switch (path) {
    case Path::TeamSheet:
        return std::make_unique<TfrmStampaSquadra>(nullptr);
    case Path::PlayerSheet:
        return std::make_unique<TfrmStampaGiocatore>(nullptr);
    case Path::EntrySheet: {
        auto sheet = std::make_unique<TfrmStampaPagina>();
        sheet->setSheet([] { return entrySheet::make(u"Coppa"_s, u"1"_s, {}, entrySheet::Copy::Print); });
        return sheet;
    }
    case Path::Preview: {
        auto preview = std::make_unique<TfrmAnteprima>();
        preview->setDocument(report::prepare(entrySheet::make(u"Coppa"_s, u"1"_s, {}, entrySheet::Copy::Preview)));
        return preview;
    }
    case Path::List:
        return std::make_unique<TfrmSelezionate>(nullptr);
    }
    return nullptr;
}

}  // namespace

Q_DECLARE_METATYPE(Path)
Q_DECLARE_METATYPE(PrintResult)

class TestPrinting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void failureIsTold_data()
    {
        QTest::addColumn<Path>("path");
        QTest::addColumn<PrintResult>("result");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("message");  // empty: nothing shown
        QTest::addColumn<bool>("staysOpen");

        const QString printer = platform::printFailedMessage;
        QTest::newRow("team sheet fails")
            << Path::TeamSheet << PrintResult::Failed << MessageKind::Warning
            << u"Attenzione: la stampa della scheda non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di controllare "
               "le impostazioni della stampante."_s
            << false;
        QTest::newRow("player sheet fails")
            << Path::PlayerSheet << PrintResult::Failed << MessageKind::Warning
            << u"Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni "
               "della foto."_s
            << false;
        QTest::newRow("entry sheet fails") << Path::EntrySheet << PrintResult::Failed << MessageKind::Error << printer << true;
        QTest::newRow("print from the preview fails") << Path::Preview << PrintResult::Failed << MessageKind::Error << printer << true;
        QTest::newRow("list fails") << Path::List << PrintResult::Failed << MessageKind::Error << printer << true;
        // A sheet's dialog closes once the print dialog is done with; the preview and the list stay.
        const QList<std::tuple<Path, const char*, bool>> cancels = {{Path::TeamSheet, "team sheet", false},
                                                                   {Path::PlayerSheet, "player sheet", false},
                                                                   {Path::EntrySheet, "entry sheet", false},
                                                                   {Path::Preview, "preview", true},
                                                                   {Path::List, "list", true}};
        for (const auto& [path, name, staysOpen] : cancels)
            QTest::addRow("%s cancelled", name) << path << PrintResult::Cancelled << MessageKind::Plain << QString() << staysOpen;
    }
    void failureIsTold()
    {
        QFETCH(Path, path);
        QFETCH(PrintResult, result);
        QFETCH(MessageKind, kind);
        QFETCH(QString, message);
        QFETCH(bool, staysOpen);
        FakePlatform fake;
        TempProgramFolder folder;
        fake.printResult = result;
        const std::unique_ptr<QDialog> dialog = dialogFor(path);
        dialog->show();
        widgets::find<QAbstractButton>(dialog.get(), u"btnStampa"_s)->click();

        if (message.isEmpty()) {
            QVERIFY(fake.messages.isEmpty());
        } else {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.lastMessage().kind, kind);
            QCOMPARE(fake.lastMessage().text, message);
        }
        QCOMPARE(dialog->isVisible(), staysOpen);
        QVERIFY(fake.printJobs.isEmpty());
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
