#include "app/PasswordScrambler.h"
#include "app/PasswordStore.h"
#include "editor/RecordEditing.h"
#include "output/ReportLayout.h"
#include "output/ReportPainter.h"
#include "standings/Standings.h"
#include "storage/ArchiveError.h"
#include "storage/FileFaults.h"
#include "storage/RecordFile.h"
#include "storage/TournamentRecord.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;
using fileFaults::Fault;

namespace {

enum class Operation { Append, Update, Batch, PasswordChange, Pdf };

const QString oldPassword = QStringLiteral("GOLVERA");
const QString newPassword = QStringLiteral("NUOVA");

QByteArray entry(const QString& team)
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Punteggio = QStringLiteral("3,00");
    return record.toBytes();
}

}  // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Fault)

// Every write the program makes, failed in every way the disk can fail it: the operation reports
// the failure whenever the fault struck, and the file is afterwards either exactly the old one or
// the whole new one, never something in between.
class TestWriteFaults : public QObject {
    Q_OBJECT

private slots:
    void faultLeavesOldOrNewFile_data();
    void faultLeavesOldOrNewFile();
};

void TestWriteFaults::faultLeavesOldOrNewFile_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("nth");

    const struct {
        const char* name;
        Fault fault;
        int nth;
    } faults[] = {
        {"full disk at the first write", Fault::WriteFails, 1},
        {"full disk at every write", Fault::WriteFails, 0},
        {"half written, then full", Fault::ShortWrite, 1},
        {"every write half done", Fault::ShortWrite, 0},
        {"flush to the disk fails", Fault::FlushFails, 1},
        {"close fails", Fault::CloseFails, 1},
        {"rename fails", Fault::RenameFails, 1},
        {"folder refuses new files", Fault::CreateRefused, 0},
        {"file may only be read", Fault::OpenForWritingRefused, 0},
    };
    const struct {
        const char* name;
        Operation operation;
    } operations[] = {
        {"append", Operation::Append},
        {"update", Operation::Update},
        {"appends and updates in one write", Operation::Batch},
        {"password change", Operation::PasswordChange},
        {"PDF", Operation::Pdf},
    };
    for (const auto& operation : operations) {
        // Archives are written in place; the store and the PDF are written whole and renamed.
        const bool inPlace = operation.operation != Operation::PasswordChange && operation.operation != Operation::Pdf;
        for (const auto& fault : faults) {
            if (fault.fault == (inPlace ? Fault::RenameFails : Fault::OpenForWritingRefused))
                continue;
            QTest::addRow("%s: %s", operation.name, fault.name) << operation.operation << fault.fault << fault.nth;
        }
    }
    // A batch writes its appended records first, then each update: the disk fills up in between.
    QTest::addRow("appends and updates in one write: full disk at the second write")
        << Operation::Batch << Fault::WriteFails << 2;
    QTest::addRow("appends and updates in one write: full disk at the third write")
        << Operation::Batch << Fault::WriteFails << 3;
    QTest::addRow("appends and updates in one write: second write half done")
        << Operation::Batch << Fault::ShortWrite << 2;
}

void TestWriteFaults::faultLeavesOldOrNewFile()
{
    QFETCH(Operation, operation);
    QFETCH(Fault, fault);
    QFETCH(int, nth);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath(QStringLiteral("Coppa.vai"));
    const QString store = dir.filePath(QStringLiteral("unins000.dll"));
    const QString pdf = dir.filePath(QStringLiteral("classifica.pdf"));
    const QString target = operation == Operation::PasswordChange ? store : operation == Operation::Pdf ? pdf : archive;

    QByteArray old;
    switch (operation) {
    case Operation::Append:
    case Operation::Update:
    case Operation::Batch:
        old = entry(QStringLiteral("Aquile")) + entry(QStringLiteral("Falchi")) + entry(QStringLiteral("Grifoni"));
        break;
    case Operation::PasswordChange:
        old = "; configurazione\r\n[Accesso]\r\nValore=" + passwordScrambler::encode(oldPassword).toLatin1() + "\r\n";
        break;
    case Operation::Pdf:
        old = "%PDF-1.4 la classifica di ieri";
        break;
    }
    QVERIFY(writeFile(target, old));
    const QByteArray changed = entry(QStringLiteral("Leoni"));

    bool failed = false;
    int strikes = 0;
    {
        // On every file in the folder: the store and the PDF are written into a temporary file first.
        const fileFaults::Injected injected({fault, nth, dir.path()});
        try {
            switch (operation) {
            case Operation::Append:
                recordEditing::save(archive, changed, QString());
                break;
            case Operation::Update:
                recordEditing::save(archive, changed, QStringLiteral("2"));
                break;
            case Operation::Batch:
                RecordFile(archive, TournamentRecord::Size)
                    .writeAll(changed + entry(QStringLiteral("Tigri")),
                              {{1, entry(QStringLiteral("Lupi")), {}}, {3, entry(QStringLiteral("Orsi")), {}}});
                break;
            case Operation::PasswordChange:
                failed = accessControl::changePassword(store, oldPassword, newPassword, newPassword)
                    != accessControl::ChangeResult::Changed;
                break;
            case Operation::Pdf: {
                const QList<ListRow> rows{{standings::meritRow(1, standings::Entry{1, "Aquile", "Rossi", "", "3,00"}), 1}};
                report::writePdf(report::prepare(standings::document(standings::Kind::Merit, "Coppa", rows)), pdf);
                break;
            }
            }
        } catch (const ArchiveError&) {
            failed = true;
        } catch (const report::ReportError&) {
            failed = true;
        }
        strikes = injected.strikes();
    }

    QVERIFY2(strikes > 0, "the fault never struck");
    QVERIFY2(failed, "the fault struck and the operation reported success");
    const QByteArray now = fileContent(target);
    bool isNew = false;
    switch (operation) {
    case Operation::Append:
        isNew = now == old + changed;
        break;
    case Operation::Update:
        isNew = now == QByteArray(old).replace(TournamentRecord::Size, TournamentRecord::Size, changed);
        break;
    case Operation::Batch:
        isNew = now == entry(QStringLiteral("Lupi")) + entry(QStringLiteral("Falchi")) + entry(QStringLiteral("Orsi"))
                           + changed + entry(QStringLiteral("Tigri"));
        break;
    case Operation::PasswordChange:
        isNew = accessControl::checkLogin(store, newPassword) == accessControl::LoginResult::Accepted;
        break;
    case Operation::Pdf:
        isNew = now.startsWith("%PDF-") && now.trimmed().endsWith("%%EOF");
        break;
    }
    // A close that fails after the data reached the disk still reports the failure.
    QVERIFY2(now == old || isNew, "neither the old file nor the new one");
    if (fault != Fault::CloseFails)
        QCOMPARE(now, old);
    if (operation == Operation::PasswordChange)
        QCOMPARE(accessControl::checkLogin(store, now == old ? oldPassword : newPassword),
                 accessControl::LoginResult::Accepted);
    // No temporary file and no lock is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{QFileInfo(target).fileName()});
}

QTEST_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
