#include "app/PasswordScrambler.h"
#include "app/PasswordStore.h"
#include "app/ProgramFolder.h"
#include "attachments/AttachmentStore.h"
#include "backup/Backup.h"
#include "editor/RecordEditing.h"
#include "import/SheetFile.h"
#include "output/ReportLayout.h"
#include "output/ReportPainter.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "players/PhotoStore.h"
#include "standings/Standings.h"
#include "storage/ArchiveError.h"
#include "storage/FileFaults.h"
#include "storage/RecordFile.h"
#include "storage/TournamentRecord.h"
#include "storage/WholeFile.h"
#include "withdrawal/WithdrawalMarks.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

#include <sys/stat.h>

using namespace fixtures;
using fileFaults::Fault;

namespace {

enum class Operation { Append, Update, Batch, Withdraw, PasswordChange, Pdf };

const QString oldPassword = QStringLiteral("GOLVERA");
const QString newPassword = QStringLiteral("NUOVA");

QByteArray entry(const QString& team)
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Punteggio = QStringLiteral("3,00");
    return record.toBytes();
}

enum class Output { Export, Workbook, Photo, AttachmentCopy, Backup, Restore, Pdf };

const struct {
    const char* name;
    Output output;
} outputs[] = {
    {"export", Output::Export}, {"workbook export", Output::Workbook}, {"photo", Output::Photo},
    {"attachment copy", Output::AttachmentCopy}, {"backup", Output::Backup}, {"restore", Output::Restore},
    {"PDF", Output::Pdf},
};

// Bytes no compressor shrinks, so that the zip outputs grow with the data.
QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random{quint32(size)};
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// A file's bytes, or nothing when there is no file.
std::optional<QByteArray> bytesAt(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return fileContent(path);
}

// One output as the fault table drives it: the file it writes, the file there before, how to
// make it write `size` bytes of content (as near as its format allows) and what the new file
// must then be.
struct OutputCase {
    QString target;                        // the file the output writes
    QString folder;                        // where nothing else may change
    std::optional<QByteArray> old;         // the target before (nothing: no file)
    std::function<QString()> run;          // the failure it reports; empty on success
    std::function<bool(const QByteArray&)> isNew;
};

spreadsheet::Sheet exportSheet()
{
    return {QStringLiteral("Torneo"), QStringLiteral("Torneo.xls"),
            {{QStringLiteral("colConcorrente"), QStringLiteral("Squadra"), 100, 300, QStringLiteral("Concorrente")}}};
}

// The export's rows: one cell long enough for the document to be `size` bytes, or the smallest
// document when `size` is below it.
spreadsheet::Table exportRows(qsizetype size)
{
    spreadsheet::Table empty(1);
    empty.append(1, {QString()});
    const qsizetype overhead = spreadsheet::document(exportSheet(), empty).size();
    spreadsheet::Table rows(1);
    rows.append(1, {QString(std::max<qsizetype>(0, size - overhead), QLatin1Char('x'))});
    return rows;
}

OutputCase outputCase(Output output, const QTemporaryDir& dir, qsizetype size)
{
    const QString data = dir.filePath(QStringLiteral("dati"));
    const QString elsewhere = dir.filePath(QStringLiteral("altrove"));
    QDir().mkpath(data);
    QDir().mkpath(elsewhere);
    programFolder::set(data);
    const QByteArray content = noise(size);
    OutputCase c;
    c.folder = data;
    switch (output) {
    case Output::Export: {
        c.target = QDir(data).filePath(QStringLiteral("Torneo.xls"));
        c.old = QByteArray("<html>l'esportazione di ieri</html>");
        const spreadsheet::Table rows = exportRows(size);
        const QByteArray expected = spreadsheet::document(exportSheet(), rows);
        c.run = [c, rows] {
            QString error;
            return spreadsheet::write(c.target, exportSheet(), rows, &error) ? QString() : error;
        };
        c.isNew = [expected](const QByteArray& now) { return now == expected; };
        break;
    }
    case Output::Workbook: {
        // Letters and digits at random, which the zip shrinks by a quarter at most, so that the
        // workbook grows with `size`; in rows, as a cell holds at most 32 767 characters.
        static constexpr char symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        QRandomGenerator random{quint32(size)};
        QStringList cells;
        for (qsizetype left = size; left > 0; left -= 30000) {
            QString cell(std::min<qsizetype>(left, 30000), Qt::Uninitialized);
            for (QChar& letter : cell)
                letter = QLatin1Char(symbols[random.bounded(int(sizeof symbols - 1))]);
            cells.append(cell);
        }
        spreadsheet::Table rows(1);
        for (qsizetype i = 0; i < cells.size(); ++i)
            rows.append(i + 1, {cells.at(i)});
        c.target = QDir(data).filePath(QStringLiteral("Torneo.xlsx"));
        c.old = QByteArray("PK il foglio di ieri");
        c.run = [c, rows] {
            QString error;
            return workbook::write(c.target, exportSheet(), rows, &error) ? QString() : error;
        };
        c.isNew = [cells](const QByteArray& now) {
            const sheetFile::Loaded back = sheetFile::readBytes(now);
            if (back.failed() || back.format != sheetFile::Format::Xlsx || back.sheet.rows.size() != cells.size() + 1)
                return false;
            for (qsizetype i = 0; i < cells.size(); ++i) {
                if (back.sheet.rows.at(i + 1).text(0) != cells.at(i))
                    return false;
            }
            return true;
        };
        break;
    }
    case Output::Photo:
        c.target = photoStore::path(1);
        c.folder = QFileInfo(c.target).absolutePath();
        QDir().mkpath(c.folder);
        c.old = QByteArray("\xFF\xD8 la foto di ieri");
        c.run = [content] { return photoStore::storeEncoded(1, content) ? QString() : QStringLiteral("not stored"); };
        c.isNew = [content](const QByteArray& now) { return now == content; };
        break;
    case Output::AttachmentCopy: {
        c.target = attachmentStore::path(QStringLiteral("Regolamento.pdf"));
        c.folder = attachmentStore::folder();
        QDir().mkpath(c.folder);
        c.old = QByteArray("%PDF il regolamento di ieri");
        const QString source = QDir(elsewhere).filePath(QStringLiteral("Regolamento.pdf"));
        writeFile(source, content);
        c.run = [source] {
            const attachmentStore::Attached attached =
                attachmentStore::attach(source, [](const QList<attachmentStore::Holder>&) { return true; });
            return attached.outcome == attachmentStore::Attached::Outcome::Copied ? QString() : attached.error;
        };
        c.isNew = [content](const QByteArray& now) { return now == content; };
        break;
    }
    case Output::Backup: {
        // Today's backup is there already; a new one is asked for all the same.
        writeFile(QDir(data).filePath(QStringLiteral("Coppa.vai")), QByteArray("la coppa di ieri"));
        const backup::Outcome before = backup::make(data, QDate(2026, 12, 10));
        c.target = before.path;
        c.folder = QFileInfo(c.target).absolutePath();
        c.old = fileContent(c.target);
        writeFile(QDir(data).filePath(QStringLiteral("Coppa.vai")), content);
        c.run = [data] { return backup::make(data, QDate(2026, 12, 10), true).error; };
        c.isNew = [dir = dir.path(), content](const QByteArray&) {
            const QString check = dir + QStringLiteral("/verifica");
            return backup::restore(dir + QStringLiteral("/dati/Backup/2026-12-10.zip"), check).isEmpty()
                   && fileContent(check + QStringLiteral("/Coppa.vai")) == content;
        };
        break;
    }
    case Output::Restore: {
        writeFile(QDir(elsewhere).filePath(QStringLiteral("Coppa.vai")), content);
        const QString zip = backup::make(elsewhere, QDate(2026, 12, 10)).path;
        // The folder holds the shipped password store only, which the backup does not replace.
        writeFile(QDir(data).filePath(QStringLiteral("unins000.dll")), QByteArray("[Accesso]\r\nValore=00\r\n"));
        c.target = QDir(data).filePath(QStringLiteral("Coppa.vai"));
        c.run = [zip, data] { return backup::restore(zip, data); };
        c.isNew = [content](const QByteArray& now) { return now == content; };
        break;
    }
    case Output::Pdf: {
        c.target = QDir(data).filePath(QStringLiteral("classifica.pdf"));
        c.old = QByteArray("%PDF-1.4 la classifica di ieri");
        // A standings row is about a hundred bytes of the document.
        QList<ListRow> rows;
        for (qsizetype i = 0; i < std::max<qsizetype>(1, size / 100); ++i)
            rows.append({standings::meritRow(int(i) + 1, standings::Entry{i + 1, "Aquile", "Rossi", "", "3,00"}), i + 1});
        c.run = [target = c.target, rows] {
            try {
                report::writePdf(report::prepare(standings::document(standings::Kind::Merit, "Coppa", rows)), target);
                return QString();
            } catch (const report::ReportError& error) {
                return QString::fromStdString(error.what());
            }
        };
        c.isNew = [](const QByteArray& now) { return now.startsWith("%PDF-") && now.trimmed().endsWith("%%EOF"); };
        break;
    }
    }
    if (c.old)
        writeFile(c.target, *c.old);
    return c;
}

enum class Special { Fifo, Folder, LinkInside, LinkOutside, DanglingLink };

// Puts `special` where `path` is; returns the file a link points to (empty for the others).
QString makeSpecial(Special special, const QString& path, const QTemporaryDir& dir)
{
    QFile::remove(path);
    const QByteArray native = QFile::encodeName(path);
    QString victim;
    switch (special) {
    case Special::Fifo:
        ::mkfifo(native.constData(), 0666);
        break;
    case Special::Folder:
        QDir().mkpath(path);
        break;
    case Special::LinkInside:
        victim = dir.filePath(QStringLiteral("dati/vittima.dat"));
        break;
    case Special::LinkOutside:
        victim = dir.filePath(QStringLiteral("altrove/fuori.dat"));
        break;
    case Special::DanglingLink:
        victim = dir.filePath(QStringLiteral("altrove/nessuno.dat"));
        break;
    }
    if (!victim.isEmpty()) {
        if (special != Special::DanglingLink)
            writeFile(victim, "da non toccare");
        ::symlink(QFile::encodeName(victim).constData(), native.constData());
    }
    return victim;
}

bool isSpecial(Special special, const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    switch (special) {
    case Special::Fifo:
        return S_ISFIFO(info.st_mode);
    case Special::Folder:
        return S_ISDIR(info.st_mode);
    default:
        return S_ISLNK(info.st_mode);
    }
}

}  // namespace

Q_DECLARE_METATYPE(Special)
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Output)
Q_DECLARE_METATYPE(Fault)

// Every write the program makes, failed in every way the disk can fail it: the operation reports
// the failure whenever the fault struck, and the file is afterwards either exactly the old one or
// the whole new one, never something in between.
class TestWriteFaults : public QObject {
    Q_OBJECT

private slots:
    void faultLeavesOldOrNewFile_data();
    void faultLeavesOldOrNewFile();
    void outputFaultLeavesOldOrNewFile_data();
    void outputFaultLeavesOldOrNewFile();
    void realFullDiskLeavesOldFile_data();
    void realFullDiskLeavesOldFile();
    void leftoversOfDeadWritersAreRemoved();
    void specialTargets_data();
    void specialTargets();
    void specialInputs_data();
    void specialInputs();
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
        {"withdrawal", Operation::Withdraw},
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
    // The journal is written and flushed first; the archive's flush is the third flush (after
    // the journal's folder entry), and deleting the journal is what makes the write count.
    QTest::addRow("appends and updates in one write: the archive's flush fails")
        << Operation::Batch << Fault::FlushFails << 3;
    QTest::addRow("appends and updates in one write: the journal cannot be deleted")
        << Operation::Batch << Fault::RemoveRefused << 1;
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
    const QString marks = withdrawal::marksPath(archive);
    const QString target = operation == Operation::PasswordChange ? store
                           : operation == Operation::Pdf          ? pdf
                           : operation == Operation::Withdraw     ? marks
                                                                  : archive;

    QByteArray old;
    switch (operation) {
    case Operation::Append:
    case Operation::Update:
    case Operation::Batch:
        old = entry(QStringLiteral("Aquile")) + entry(QStringLiteral("Falchi")) + entry(QStringLiteral("Grifoni"));
        break;
    case Operation::Withdraw:
        // One record withdrawn and one brought back: the withdrawal appends one and rewrites one.
        old = "R000000000120270312        A000000000220270312" "20270401";
        QVERIFY(writeFile(archive, entry(QStringLiteral("Aquile")) + entry(QStringLiteral("Falchi"))
                                       + entry(QStringLiteral("Grifoni"))));
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
            case Operation::Withdraw:
                withdrawal::apply(archive, TournamentRecord::Size,
                                  {{2, withdrawal::Action::Withdraw, {}, {}}, {3, withdrawal::Action::Withdraw, {}, {}}},
                                  QDate(2027, 4, 2));
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
    case Operation::Withdraw:
        isNew = now == "R000000000120270312        R000000000220270402        R000000000320270402        ";
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
    QStringList left{QFileInfo(target).fileName()};
    if (operation == Operation::Withdraw)
        left.prepend(QFileInfo(archive).fileName());  // read, never written
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), left);
}

// Every other file the program writes (exports, photos, attachment copies, backups, restored
// files, PDFs), at sizes around the buffers of the layers below, with the disk failing at each
// step: a reported failure and the old file byte for byte, or success and the whole new file;
// nothing else left in the folder.
void TestWriteFaults::outputFaultLeavesOldOrNewFile_data()
{
    QTest::addColumn<Output>("output");
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("nth");

    const struct {
        const char* name;
        qsizetype size;
    } sizes[] = {{"1 byte", 1}, {"4 KiB - 1", 4095}, {"4 KiB", 4096}, {"16 KiB", 16384}, {"1 MiB + 1", (1 << 20) + 1}};
    const struct {
        const char* name;
        Fault fault;
        int nth;
    } faults[] = {
        {"no space at the 1st write", Fault::WriteFails, 1}, {"no space at the 2nd write", Fault::WriteFails, 2},
        {"half written, then full", Fault::ShortWrite, 1},   {"flush fails", Fault::FlushFails, 1},
        {"close fails", Fault::CloseFails, 1},               {"rename fails", Fault::RenameFails, 1},
    };
    for (const auto& output : outputs) {
        for (const auto& size : sizes) {
            for (const auto& fault : faults)
                QTest::addRow("%s, %s: %s", output.name, size.name, fault.name)
                    << output.output << size.size << fault.fault << fault.nth;
        }
    }
}

void TestWriteFaults::outputFaultLeavesOldOrNewFile()
{
    QFETCH(Output, output);
    QFETCH(qsizetype, size);
    QFETCH(Fault, fault);
    QFETCH(int, nth);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const OutputCase c = outputCase(output, dir, size);
    const QStringList before = listing(c.folder);

    QString failure;
    int strikes = 0;
    {
        const fileFaults::Injected injected({fault, nth, c.folder});
        failure = c.run();
        strikes = injected.strikes();
    }
    const std::optional<QByteArray> now = bytesAt(c.target);
    // Every output writes at least once through the checked writer, which the seam sits under.
    if (nth == 1)
        QVERIFY2(strikes > 0, "the output does not write through the checked writer");
    if (strikes == 0) {
        // The output made fewer writes than the fault waits for: it must have succeeded.
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(now && c.isNew(*now));
        return;
    }
    QVERIFY2(!failure.isEmpty(), "the fault struck and the output reported success");
    QCOMPARE(now, c.old);
    QCOMPARE(listing(c.folder), before);
}

// The same without the seam: a file size limit fails the writes as a full disk does, in a child
// process, for outputs small enough to sit in a buffer until the end.
void TestWriteFaults::realFullDiskLeavesOldFile_data()
{
    QTest::addColumn<Output>("output");
    // The PDF is left out: a child process of this one cannot draw it.
    for (const auto& output : outputs) {
        if (output.output != Output::Pdf)
            QTest::newRow(output.name) << output.output;
    }
}

void TestWriteFaults::realFullDiskLeavesOldFile()
{
    QFETCH(Output, output);
    QTemporaryDir dir;
    const OutputCase c = outputCase(output, dir, 16384);
    const QStringList before = listing(c.folder);
    QCOMPARE(exitCodeUnderLimits(0, 8192, [&c] { return c.run().isEmpty() ? 0 : 1; }), 1);
    QCOMPARE(bytesAt(c.target), c.old);
    QCOMPARE(listing(c.folder), before);
}

// A write killed half-way leaves its temporary file: the next write of the same kind in the folder
// removes it, while one of a writer still at work (it holds its lock), or of another kind, stays;
// no backup takes any of them in.
void TestWriteFaults::leftoversOfDeadWritersAreRemoved()
{
    QTemporaryDir dir;
    programFolder::set(dir.path());
    QVERIFY(photoStore::makeFolder());
    const QString photos = QFileInfo(photoStore::path(1)).absolutePath();
    const QString dead = photos + QStringLiteral("/.Scheda_Giocatore_3.jpg.golvera-4242-0badf00d.tmp");
    const QString otherKind = photos + QStringLiteral("/.Torneo.xls.golvera-4242-0badf00d.tmp");
    QVERIFY(writeFile(dead, "half a photo"));
    QVERIFY(writeFile(otherKind, "half an export"));
    wholeFile::Writer alive(photoStore::path(2));
    QVERIFY(alive.open());
    QVERIFY(alive.write("still writing"));

    QVERIFY(photoStore::storeEncoded(1, "\xFF\xD8 foto"));
    QVERIFY(!QFileInfo::exists(dead));
    QVERIFY(QFileInfo::exists(otherKind));
    QCOMPARE(QDir(photos).entryList({QStringLiteral(".Scheda_Giocatore_2.jpg.*")}, QDir::Files | QDir::Hidden).size(), 1);
    QCOMPARE(backup::contents(dir.path()), QStringList{QStringLiteral("Anagrafica/Scheda_Giocatore_1.jpg")});

    QVERIFY(alive.commit());
    QCOMPARE(fileContent(photoStore::path(2)), QByteArray("still writing"));
}

namespace {

void addSpecialRows(const std::function<void(const char* name, Special special)>& add)
{
    add("FIFO", Special::Fifo);
    add("folder", Special::Folder);
    add("link inside the folder", Special::LinkInside);
    add("link outside the folder", Special::LinkOutside);
    add("dangling link", Special::DanglingLink);
}

}  // namespace

// Something other than a file under an output's name: a FIFO or a folder is refused and left
// alone; a link is replaced by the new file, and whatever it pointed to stays as it was (a
// restore refuses any of them). Nothing hangs.
void TestWriteFaults::specialTargets_data()
{
    QTest::addColumn<Output>("output");
    QTest::addColumn<Special>("special");
    for (const auto& output : outputs)
        addSpecialRows([&](const char* name, Special special) {
            QTest::addRow("%s: %s", output.name, name) << output.output << special;
        });
}

void TestWriteFaults::specialTargets()
{
    QFETCH(Output, output);
    QFETCH(Special, special);
    QTemporaryDir dir;
    const OutputCase c = outputCase(output, dir, 100);
    const QString victim = makeSpecial(special, c.target, dir);
    const std::optional<QByteArray> victimBefore = bytesAt(victim);

    QElapsedTimer clock;
    clock.start();
    const QString failure = c.run();
    QVERIFY(clock.elapsed() < 5000);

    QCOMPARE(bytesAt(victim), victimBefore);
    const bool isLink = special != Special::Fifo && special != Special::Folder;
    if (!isLink || output == Output::Restore) {
        QVERIFY2(!failure.isEmpty(), "written over something that is not a file");
        QVERIFY(isSpecial(special, c.target));
        return;
    }
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(!QFileInfo(c.target).isSymLink());
    QVERIFY(c.isNew(fileContent(c.target)));
}

// Files the program reads, when they are not files: refused at once; a link to a file is read
// and left as it was.
void TestWriteFaults::specialInputs_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<Special>("special");
    for (const char* input : {"photo", "attachment", "backup to restore"})
        addSpecialRows([&](const char* name, Special special) {
            if (special != Special::LinkInside)
                QTest::addRow("%s: %s", input, name) << QString::fromLatin1(input) << special;
        });
}

void TestWriteFaults::specialInputs()
{
    QFETCH(QString, input);
    QFETCH(Special, special);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("altrove")));
    programFolder::set(dir.filePath(QStringLiteral("dati")));
    const QString path = dir.filePath(QStringLiteral("scelto"));
    const QString victim = makeSpecial(special, path, dir);
    // What a link points to is a real input of its kind.
    if (special == Special::LinkOutside) {
        if (input == u"photo") {
            QImage picture(4, 3, QImage::Format_RGB32);
            picture.fill(Qt::red);
            QVERIFY(picture.save(victim, "JPEG"));
        } else if (input == u"backup to restore") {
            writeFile(dir.filePath(QStringLiteral("altrove/Coppa.vai")), "coppa");
            QFile::remove(victim);
            QVERIFY(QFile::rename(backup::make(dir.filePath(QStringLiteral("altrove")), QDate(2026, 12, 10)).path, victim));
        }
    }
    const std::optional<QByteArray> victimBefore = bytesAt(victim);

    QElapsedTimer clock;
    clock.start();
    bool read = false;
    if (input == u"photo")
        read = !photoStore::read(path).isNull();
    else if (input == u"attachment")
        read = attachmentStore::attach(path, [](const QList<attachmentStore::Holder>&) { return true; }).outcome
               == attachmentStore::Attached::Outcome::Copied;
    else
        read = backup::restore(path, dir.filePath(QStringLiteral("dati"))).isEmpty();
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(read, special == Special::LinkOutside);
    QCOMPARE(bytesAt(victim), victimBefore);
}

QTEST_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
