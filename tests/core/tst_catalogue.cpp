#include "app/ProgramFolder.h"
#include "storage/FileFaults.h"
#include "tournament/Catalogue.h"
#include "withdrawal/WithdrawalMarks.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace fixtures;
using catalogue::CreateOutcome;
using catalogue::NameProblem;

Q_DECLARE_METATYPE(NameProblem)
Q_DECLARE_METATYPE(CreateOutcome)

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init();

    void nameCheck_data();
    void nameCheck();
    void refusedKeyCharacters();
    void pathAndDisplayName();
    void listHoldsOnlyTournamentFilesInListOrder();
    void countLine_data();
    void countLine();
    void create_data();
    void create();
    void removeDeletesTheFile();
    void withdrawalMarksFollowTheTournament();
    void removeReportsAFileThatStays();
    void specialFilesAreNoTournaments();
    void namesAreUsedAsTheyAre();
    void createAndRemoveInAFolderThatRefuses();

private:
    QString file(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCatalogue::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    programFolder::set(m_dir->path());
}

void TestCatalogue::nameCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<NameProblem>("problem");

    QTest::newRow("plain") << "Coppa Primavera 2025" << NameProblem::None;
    QTest::newRow("blanks around") << "  Coppa  " << NameProblem::None;
    QTest::newRow("accented letters") << "Torneo dell'Amicizia \u00E0 \u00E8 \u00F9" << NameProblem::None;
    QTest::newRow("dots inside") << "Coppa 2.0" << NameProblem::None;
    QTest::newRow("leading dot") << ".Coppa" << NameProblem::None;
    QTest::newRow("vertical bar") << "A|B" << NameProblem::None;
    QTest::newRow("empty") << "" << NameProblem::Empty;
    QTest::newRow("blanks only") << "    " << NameProblem::Empty;
    QTest::newRow("control characters only") << "\t\r\n" << NameProblem::Empty;
    QTest::newRow("colon") << "Coppa: finale" << NameProblem::RefusedCharacter;
    QTest::newRow("question mark") << "Chi vince?" << NameProblem::RefusedCharacter;
    QTest::newRow("slash leads out of the folder") << "../Fuori" << NameProblem::RefusedCharacter;
    QTest::newRow("backslash") << "..\\Fuori" << NameProblem::RefusedCharacter;
    QTest::newRow("double quote") << "\"Coppa\"" << NameProblem::RefusedCharacter;
    QTest::newRow("asterisk") << "Coppa*" << NameProblem::RefusedCharacter;
    QTest::newRow("angle brackets") << "<Coppa>" << NameProblem::RefusedCharacter;
    QTest::newRow("degree sign") << "Coppa 1\u00B0 turno" << NameProblem::RefusedCharacter;
    QTest::newRow("c cedilla") << "Fran\u00E7a" << NameProblem::RefusedCharacter;
    QTest::newRow("capital n tilde") << "ESPA\u00D1A" << NameProblem::RefusedCharacter;
    QTest::newRow("tab inside") << "Coppa\tEstate" << NameProblem::ControlCharacter;
    QTest::newRow("line feed inside") << "Coppa\nEstate" << NameProblem::ControlCharacter;
    QTest::newRow("delete character") << "Coppa\x7F" << NameProblem::ControlCharacter;
    QTest::newRow("C1 control") << "Coppa\u0085Estate" << NameProblem::ControlCharacter;
    QTest::newRow("one dot") << "." << NameProblem::OnlyDots;
    QTest::newRow("two dots with blanks") << " .. " << NameProblem::OnlyDots;
    QTest::newRow("many dots") << "....." << NameProblem::OnlyDots;
}

void TestCatalogue::nameCheck()
{
    QFETCH(QString, typed);
    QFETCH(NameProblem, problem);
    QCOMPARE(catalogue::checkName(typed), problem);
}

void TestCatalogue::refusedKeyCharacters()
{
    QString refused;
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        if (catalogue::isRefusedNameCharacter(QChar(char16_t(code))))
            refused += QChar(char16_t(code));
    }
    QCOMPARE(refused, QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1"));
}

void TestCatalogue::pathAndDisplayName()
{
    QCOMPARE(catalogue::pathFor(QStringLiteral("  Coppa Estate ")), file(QStringLiteral("Coppa Estate.vai")));
    QCOMPARE(catalogue::displayName(QStringLiteral("Coppa Estate.vai")), QStringLiteral("Coppa Estate"));
}

void TestCatalogue::listHoldsOnlyTournamentFilesInListOrder()
{
    for (const char* name : {"beta.vai", "ALFA.vai", "Alfabeto.vai", "alfa 2.vai", "\u00C8lite.vai", "Zeta.VAI",
                             ".nascosto.vai", "note.txt", "torneo.vai.bak", "beta.cal"})
        QVERIFY(writeFile(file(QString::fromUtf8(name)), QByteArray()));
    // Folders are not tournaments, and subfolders are not searched.
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("cartella.vai")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("sotto")));
    QVERIFY(writeFile(file(QStringLiteral("sotto/dentro.vai")), QByteArray()));

    // Only a to z are folded; an accented capital sorts by its code after every plain letter.
    const QStringList expected = {QStringLiteral(".nascosto.vai"), QStringLiteral("alfa 2.vai"),
                                  QStringLiteral("ALFA.vai"), QStringLiteral("Alfabeto.vai"),
                                  QStringLiteral("beta.vai"), QStringLiteral("Zeta.VAI"),
                                  QStringLiteral("\u00C8lite.vai")};
    QCOMPARE(catalogue::tournamentFiles(), expected);
}

void TestCatalogue::countLine_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("line");
    QTest::newRow("none") << 0 << "Sono stati creati 0 tornei.";
    QTest::newRow("one keeps the plural") << 1 << "Sono stati creati 1 tornei.";
    QTest::newRow("many") << 12 << "Sono stati creati 12 tornei.";
}

void TestCatalogue::countLine()
{
    QFETCH(int, count);
    QFETCH(QString, line);
    QCOMPARE(catalogue::countLine(count), line);
}

void TestCatalogue::create_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<CreateOutcome>("outcome");

    QTest::newRow("new name") << "Coppa Estate" << CreateOutcome::Created;
    QTest::newRow("existing name") << "Esistente" << CreateOutcome::NameTaken;
    // 200 accented letters are 400 bytes on disk, more than a file name may hold.
    QTest::newRow("name the file system refuses") << QString(200, QChar(0x00E8)) << CreateOutcome::Failed;
    QTest::newRow("folder that is not there") << "manca/Coppa" << CreateOutcome::Failed;
}

void TestCatalogue::create()
{
    QFETCH(QString, name);
    QFETCH(CreateOutcome, outcome);

    const QByteArray existing("entries");
    QVERIFY(writeFile(file(QStringLiteral("Esistente.vai")), existing));
    const QString path = file(name + catalogue::extension);

    QCOMPARE(catalogue::create(path), outcome);
    switch (outcome) {
    case CreateOutcome::Created:
        QCOMPARE(QFileInfo(path).size(), 0);
        break;
    case CreateOutcome::NameTaken:
        QCOMPARE(fileContent(path), existing);
        break;
    case CreateOutcome::Failed:
        QVERIFY(!QFileInfo::exists(path));
        break;
    }
    // Nothing else appeared in the folder.
    QDir folder(m_dir->path());
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             outcome == CreateOutcome::Created ? 2 : 1);
}

void TestCatalogue::removeDeletesTheFile()
{
    const QString path = file(QStringLiteral("Coppa.vai"));
    QVERIFY(writeFile(path, "x"));
    QVERIFY(writeFile(file(QStringLiteral("Coppa.cal")), "calendar"));
    QVERIFY(writeFile(file(QStringLiteral("Coppa 2.cal")), "another's calendar"));
    QVERIFY(catalogue::remove(path));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!QFileInfo::exists(file(QStringLiteral("Coppa.cal"))));
    QVERIFY(QFileInfo::exists(file(QStringLiteral("Coppa 2.cal"))));
    // A calendar whose tournament is gone is not given to a new tournament of that name.
    QCOMPARE(catalogue::create(file(QStringLiteral("Coppa 2.vai"))), CreateOutcome::Created);
    QVERIFY(!QFileInfo::exists(file(QStringLiteral("Coppa 2.cal"))));
    // A file that is already gone is no reason to keep the tournament.
    QVERIFY(catalogue::remove(path));
}

void TestCatalogue::withdrawalMarksFollowTheTournament()
{
    const QString path = file(QStringLiteral("Coppa.vai"));
    QVERIFY(writeFile(path, "x"));
    QVERIFY(writeFile(withdrawal::marksPath(path), "R000000000120270312        "));
    QCOMPARE(catalogue::tournamentFiles(), QStringList{QStringLiteral("Coppa.vai")});
    QVERIFY(catalogue::remove(path));
    QVERIFY(!QFileInfo::exists(withdrawal::marksPath(path)));

    // Marks a deleted tournament left behind (another station's copy) are no marks of a new one.
    QVERIFY(writeFile(withdrawal::marksPath(path), "R000000000120270312        "));
    QCOMPARE(catalogue::create(path), CreateOutcome::Created);
    QVERIFY(!QFileInfo::exists(withdrawal::marksPath(path)));
}

void TestCatalogue::removeReportsAFileThatStays()
{
    // A folder in the tournament's place cannot be deleted as a file, not even by the superuser.
    const QString path = file(QStringLiteral("Coppa.vai"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/dentro")));
    QVERIFY(!catalogue::remove(path));
    QVERIFY(QFileInfo(path).isDir());
}

void TestCatalogue::specialFilesAreNoTournaments()
{
    // Listed, they would hang the screen that opens them.
    QVERIFY(writeFile(file(QStringLiteral("Vero.vai")), QByteArray()));
    const auto native = [&](const char* name) { return QFile::encodeName(file(QString::fromLatin1(name))); };
    QCOMPARE(::mkfifo(native("Tubo.vai").constData(), 0666), 0);
    QVERIFY(makeSocket(file(QStringLiteral("Presa.vai"))));
    QCOMPARE(::symlink("altrove/Nessuno.vai", native("Rotto.vai").constData()), 0);
    QCOMPARE(::symlink("Vero.vai", native("Collegato.vai").constData()), 0);

    QCOMPARE(catalogue::tournamentFiles(), (QStringList{QStringLiteral("Collegato.vai"), QStringLiteral("Vero.vai")}));
}

void TestCatalogue::namesAreUsedAsTheyAre()
{
    // Two tournaments whose names differ only by a leading blank are two tournaments.
    QVERIFY(writeFile(file(QStringLiteral(" Coppa.vai")), "con spazio"));
    QVERIFY(writeFile(file(QStringLiteral("Coppa.vai")), "senza"));
    QCOMPARE(catalogue::tournamentFiles(), (QStringList{QStringLiteral(" Coppa.vai"), QStringLiteral("Coppa.vai")}));
    QVERIFY(catalogue::remove(file(QStringLiteral(" Coppa.vai"))));
    QCOMPARE(catalogue::tournamentFiles(), QStringList{QStringLiteral("Coppa.vai")});
    QCOMPARE(fileContent(file(QStringLiteral("Coppa.vai"))), QByteArray("senza"));
}

void TestCatalogue::createAndRemoveInAFolderThatRefuses()
{
    const QString existing = file(QStringLiteral("Coppa.vai"));
    QVERIFY(writeFile(existing, "x"));
    const fileFaults::Injected noCreate({fileFaults::Fault::CreateRefused, 0, m_dir->path()});
    const fileFaults::Injected noRemove({fileFaults::Fault::RemoveRefused, 0, m_dir->path()});
    QCOMPARE(catalogue::create(file(QStringLiteral("Nuovo.vai"))), CreateOutcome::Failed);
    QVERIFY(!catalogue::remove(existing));
    QCOMPARE(fileContent(existing), QByteArray("x"));
    QCOMPARE(catalogue::tournamentFiles(), QStringList{QStringLiteral("Coppa.vai")});
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
