#include "checkers/TaxCode.h"
#include "import/ColumnMatch.h"
#include "import/ImportPlan.h"
#include "import/RowValues.h"
#include "import/SheetFile.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "players/PlayerExport.h"
#include "players/PlayerImport.h"
#include "storage/ArchiveError.h"
#include "storage/FileFaults.h"
#include "storage/PlayerRecord.h"
#include "storage/TeamRecord.h"
#include "teams/TeamExport.h"
#include "teams/TeamImport.h"
#include "withdrawal/WithdrawalMarks.h"

#include "ArchiveFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using sheetImport::Content;
using importPlan::Duplicates;

namespace {

const QDate today(2026, 12, 10);

// A tax code whose control letter is right, from its first fifteen characters.
QString taxCodeOf(const QString& first15)
{
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        const QString code = first15 + QChar(letter);
        if (taxCode::check(code) == taxCode::Verdict::Valid)
            return code;
    }
    return {};
}

sheetImport::Row textRow(int number, const QStringList& texts)
{
    sheetImport::Row row{number, {}, {}};
    for (int column = 0; column < texts.size(); ++column)
        sheetImport::placeText(row, column, texts.at(column));
    row.cells.resize(texts.size());  // empty texts at the end still have their columns
    return row;
}

sheetImport::Sheet sheetOf(const QList<QStringList>& rows)
{
    sheetImport::Sheet sheet;
    for (int i = 0; i < rows.size(); ++i)
        sheet.rows.append(textRow(i + 1, rows.at(i)));
    return sheet;
}

// What each column of a header fills: "Field", "Field/cognome", "Field/nome" or "-".
QStringList matched(const sheetImport::Archive& archive, const QStringList& headers)
{
    QStringList fields;
    for (int target : columnMatch::match(archive, textRow(1, headers))) {
        if (target < 0) {
            fields.append("-");
            continue;
        }
        const sheetImport::Target& t = archive.targets.at(target);
        fields.append(t.field + (t.part == sheetImport::Part::Surname     ? "/cognome"
                                 : t.part == sheetImport::Part::GivenName ? "/nome"
                                                                          : ""));
    }
    return fields;
}

const QStringList playerHeader = {"Cognome e nome", "Sesso", "Squadra", "Tessera n.", "Scadenza tessera",
                                  "Scadenza cert. medico"};
const QStringList playerBasics = {"Rossi Mario", "M", "Aquile", "T1", "30/06/2027", "31/08/2027"};

PlayerRecord player(const QString& name, const QString& birth, const QString& team)
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Sesso = QStringLiteral("M");
    record.DataNasc = birth;
    record.Squadra = team;
    record.Tessera = QStringLiteral("T-") + name.left(3);
    record.ScadTessera = QStringLiteral("30/06/2027");
    record.ScadCertificato = QStringLiteral("31/08/2027");
    record.Presenze = record.Reti = record.Ammonizioni = record.Espulsioni = QStringLiteral("0");
    return record;
}

TeamRecord team(const QString& name)
{
    TeamRecord record;
    record.Squadra = name;
    record.Selezionata = QStringLiteral("No");
    return record;
}

importPlan::Plan planFor(const sheetImport::Archive& archive, const sheetImport::Sheet& sheet, Duplicates duplicates,
                         const QString& path)
{
    return importPlan::analyse(archive, sheet, columnMatch::match(archive, sheet.rows.first()), duplicates, path, today);
}

QStringList issues(const QList<importPlan::Issue>& list)
{
    QStringList texts;
    for (const importPlan::Issue& issue : list)
        texts.append(QString::number(issue.row) + ": " + issue.text);
    return texts;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

Q_DECLARE_METATYPE(Content)

// Bringing a season's teams and players in from a spreadsheet: which column fills which field, each
// row as the editor would have stored it, rows already in the archive skipped or updated, and the
// archive written all at once or not at all.
class TestImport : public QObject {
    Q_OBJECT

private slots:
    void columnsAreMatchedByTheirHeaders_data();
    void columnsAreMatchedByTheirHeaders();
    void mandatoryColumnsAreNamed_data();
    void mandatoryColumnsAreNamed();
    void playerValuesAreNormalisedAsTheEditorStoresThem_data();
    void playerValuesAreNormalisedAsTheEditorStoresThem();
    void numberInADateColumnIsADayOrRejected_data();
    void numberInADateColumnIsADayOrRejected();
    void teamRowsFollowTheTeamEditor();
    void withdrawnRecordIsMatchedAndSaidSo();
    void rejectedRowsAreListedWithTheirNumbers();
    void duplicatesAreSkippedOrUpdated_data();
    void duplicatesAreSkippedOrUpdated();
    void largeSheetGivesTheSamePlanAsItsRows_data();
    void largeSheetGivesTheSamePlanAsItsRows();
    void failedWriteLeavesTheArchiveAsItWas_data();
    void failedWriteLeavesTheArchiveAsItWas();
    void recordChangedByAnotherStationStopsTheWhole();
    void secondStationImportingTheSameRowsAddsNothing_data();
    void secondStationImportingTheSameRowsAddsNothing();
    void exportAndImportGiveTheSameRecords_data();
    void exportAndImportGiveTheSameRecords();
};

void TestImport::columnsAreMatchedByTheirHeaders_data()
{
    QTest::addColumn<bool>("players");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("the player export's own labels")
        << true << QStringList{"Cognome e nome", "Data nascita", "Citt\u00E0", "Maglia n.", "Scadenza cert. medico", "Reti"}
        << QStringList{"Giocatore", "DataNasc", "Citta", "Maglia", "ScadCertificato", "Reti"};
    QTest::newRow("case, accents, blanks and signs ignored")
        << true << QStringList{"COGNOME  E NOME", "CITTA'", "e-mail", "Tel.Cellulare", "  codice   fiscale "}
        << QStringList{"Giocatore", "Citta", "Email", "Cel", "CodFisc"};
    QTest::newRow("synonyms")
        << true << QStringList{"Giocatore", "Data di nascita", "CF", "Scadenza certificato medico", "Gol", "Genere"}
        << QStringList{"Giocatore", "DataNasc", "CodFisc", "ScadCertificato", "Reti", "Sesso"};
    QTest::newRow("surname and name in two columns") << true << QStringList{"Nome", "Cognome", "Squadra"}
                                                     << QStringList{"Giocatore/nome", "Giocatore/cognome", "Squadra"};
    QTest::newRow("name alone is the whole name") << true << QStringList{"Nome", "Squadra"}
                                                  << QStringList{"Giocatore", "Squadra"};
    QTest::newRow("a field named twice is filled by the first column")
        << true << QStringList{"Squadra", "Societ\u00E0", "Colonna 3", ""} << QStringList{"Squadra", "-", "-", "-"};
    QTest::newRow("the team export's own labels")
        << false << QStringList{"Squadra", "Capocannoniere di squadra", "Data fondazione", "Palmar\u00E8s", "Selezionata"}
        << QStringList{"Squadra", "Capocannoniere", "Fondazione", "Palmares", "Selezionata"};
    QTest::newRow("team synonyms") << false << QStringList{"Nome squadra", "Stadio", "Mail", "Cognome"}
                                   << QStringList{"Squadra", "Campo", "Email", "-"};
}

void TestImport::columnsAreMatchedByTheirHeaders()
{
    QFETCH(bool, players);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, fields);

    QCOMPARE(matched(players ? playerImport::archive() : teamImport::archive(), headers), fields);
}

void TestImport::mandatoryColumnsAreNamed_data()
{
    QTest::addColumn<bool>("players");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QString>("missing");

    QTest::newRow("players: card and its expiry missing")
        << true << QStringList{"Cognome e nome", "Sesso", "Squadra", "Scadenza cert. medico"}
        << "Mancano le colonne obbligatorie: Tessera n., Scadenza tessera";
    QTest::newRow("players: every one given, the name in two columns")
        << true << QStringList{"Cognome", "Nome", "Sesso", "Squadra", "Tessera", "Scadenza tessera", "Scadenza certificato"}
        << "";
    QTest::newRow("players: the sex from the tax code")
        << true << QStringList{"Cognome e nome", "Codice fiscale", "Squadra", "Tessera", "Scadenza tessera", "Scadenza certificato"}
        << "";
    QTest::newRow("teams: no name") << false << QStringList{"Stadio", "Mail"} << "Mancano le colonne obbligatorie: Squadra";
    QTest::newRow("teams: name given") << false << QStringList{"Nome squadra"} << "";
}

void TestImport::mandatoryColumnsAreNamed()
{
    QFETCH(bool, players);
    QFETCH(QStringList, headers);
    QFETCH(QString, missing);
    const sheetImport::Archive& archive = players ? playerImport::archive() : teamImport::archive();
    QCOMPARE(columnMatch::mandatoryLine(archive),
             players ? "Campi obbligatori: Cognome e nome, Sesso, Squadra, Tessera n., Scadenza tessera, Scadenza cert. medico"
                     : "Campi obbligatori: Squadra");
    QCOMPARE(columnMatch::missingColumnsLine(archive, columnMatch::match(archive, textRow(1, headers))), missing);
}

void TestImport::playerValuesAreNormalisedAsTheEditorStoresThem_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<Content>("cell");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("warning");  // a part of the one warning expected; empty: none

    const QString man = taxCodeOf("RSSMRA85T10A562");
    const QString woman = taxCodeOf("BNCLRA90A41H501");
    QTest::newRow("trimmed") << "Ruolo" << Content::ofText(" \tportiere  ") << "Ruolo" << "portiere" << "";
    QTest::newRow("line break inside a cell") << "Note" << Content::ofText("prima\r\nseconda") << "Note"
                                              << "prima seconda" << "";
    QTest::newRow("tax code in capitals") << "Codice fiscale" << Content::ofText(man.toLower()) << "CodFisc" << man << "";
    QTest::newRow("wrong tax code kept, reported") << "CF" << Content::ofText("RSSMRA85T10A562Z") << "CodFisc"
                                                   << "RSSMRA85T10A562Z" << "codice fiscale errato";
    QTest::newRow("VAT number of digits") << "CF" << Content::ofText("12345678904") << "CodFisc" << "12345678904"
                                          << "partita IVA errata";
    QTest::newRow("sex in a word") << "Sesso" << Content::ofText("femmina") << "Sesso" << "F" << "";
    QTest::newRow("date dd/mm/yyyy") << "Data nascita" << Content::ofText("05/03/1985") << "DataNasc" << "05/03/1985" << "";
    QTest::newRow("date d/m/yy, last century") << "Data nascita" << Content::ofText("5/3/85") << "DataNasc" << "05/03/1985" << "";
    QTest::newRow("date d/m/yy, this century") << "Data nascita" << Content::ofText("1.9.12") << "DataNasc" << "01/09/2012" << "";
    QTest::newRow("date yyyy-mm-dd") << "Data nascita" << Content::ofText("1985-03-05") << "DataNasc" << "05/03/1985" << "";
    QTest::newRow("date cell") << "Data nascita" << Content::ofDate(QDate(2001, 12, 31)) << "DataNasc" << "31/12/2001" << "";
    QTest::newRow("birth date of free text kept") << "Data nascita" << Content::ofText("estate '85") << "DataNasc"
                                                  << "estate '85" << "";
    QTest::newRow("count with leading zeros") << "Reti" << Content::ofText("007") << "Reti" << "7" << "";
    QTest::newRow("count rounded") << "Presenze" << Content::ofText("2,5") << "Presenze" << "3" << "";
    QTest::newRow("count cell") << "Ammonizioni" << Content::ofNumber(4) << "Ammonizioni" << "4" << "";
    QTest::newRow("count of words") << "Reti" << Content::ofText("tre") << "Reti" << "0" << "valore non valido";
    QTest::newRow("count left out") << "Altezza" << Content::ofText("180") << "Espulsioni" << "0" << "";
    QTest::newRow("number cell in a text field") << "CAP" << Content::ofNumber(47121) << "Cap" << "47121" << "";
    QTest::newRow("text longer than its field")
        << "Piede" << Content::ofText(QString(35, 'd')) << "Piede" << QString(30, 'd') << "testo troppo lungo in \u00ABPiede\u00BB";
    QTest::newRow("letters the archive cannot hold") << "Note" << Content::ofText("\u0141ukasz") << "Note" << "\u0141ukasz"
                                                     << "(\u0141): registrate come ?";
    QTest::newRow("sex told by a woman's tax code") << "Codice fiscale" << Content::ofText(woman) << "Sesso" << "F" << "";
    QTest::newRow("tax code disagrees with the sex") << "Codice fiscale" << Content::ofText(woman) << "CodFisc" << woman
                                                     << "Il sesso della scheda non corrisponde";
}

void TestImport::playerValuesAreNormalisedAsTheEditorStoresThem()
{
    QFETCH(QString, header);
    QFETCH(Content, cell);
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, warning);

    // The mandatory fields, the one under test replacing its own; a row that tests the sex the
    // tax code tells has no sex column.
    QStringList headers = playerHeader;
    sheetImport::Row row = textRow(2, playerBasics);
    if (const qsizetype at = headers.indexOf(header); at >= 0) {
        headers.removeAt(at);
        row.cells.removeAt(at);
    }
    if (field == "Sesso" && header != "Sesso") {
        headers.removeAt(1);
        row.cells.removeAt(1);
    }
    headers.append(header);
    sheetImport::place(row, int(row.cells.size()), cell);
    const sheetImport::Archive& archive = playerImport::archive();
    const rowValues::Result result = rowValues::make(archive, row, columnMatch::match(archive, textRow(1, headers)), today);
    QCOMPARE(result.rejection, QString());
    QCOMPARE(result.value(archive, field), stored);
    if (warning.isEmpty()) {
        QCOMPARE(result.warnings, QStringList());
    } else {
        QCOMPARE(result.warnings.size(), 1);
        QVERIFY2(result.warnings.first().contains(warning), qPrintable(result.warnings.first()));
    }
}

// A number cell in a date column is the spreadsheet's day number; one that is no day is refused
// with its reason, never stored as its digits.
void TestImport::numberInADateColumnIsADayOrRejected_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("stored");
    QTest::newRow("day number") << 31111.0 << "05/03/1985";
    QTest::newRow("day number with a time") << 31111.75 << "05/03/1985";
    QTest::newRow("huge") << 1e308 << "";
    QTest::newRow("not a number") << std::nan("") << "";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "";
    QTest::newRow("negative") << -3.0 << "";
}

void TestImport::numberInADateColumnIsADayOrRejected()
{
    QFETCH(double, number);
    QFETCH(QString, stored);
    QStringList headers = playerHeader;
    headers.append("Data nascita");
    sheetImport::Row row = textRow(2, playerBasics);
    sheetImport::place(row, int(row.cells.size()), Content::ofNumber(number));
    const sheetImport::Archive& archive = playerImport::archive();
    const rowValues::Result result = rowValues::make(archive, row, columnMatch::match(archive, textRow(1, headers)), today);
    if (stored.isEmpty()) {
        QVERIFY2(result.rejection.startsWith(QStringLiteral("data non valida in ")),
                 qPrintable(result.rejection));
    } else {
        QCOMPARE(result.rejection, QString());
        QCOMPARE(result.value(archive, "DataNasc"), stored);
    }
}

void TestImport::teamRowsFollowTheTeamEditor()
{
    const sheetImport::Sheet sheet = sheetOf({{"Squadra", "Selezionata", "Data fondazione", "Note"},
                                              {" Aquile ", "x", "1920", ""},
                                              {"Falchi", "", "3/4/1950", "nuova"},
                                              {"Grifoni", "forse", "", ""},
                                              {"", "S\u00EC", "", "senza nome"}});
    QTemporaryDir dir;
    const importPlan::Plan plan = planFor(teamImport::archive(), sheet, Duplicates::Skip, dir.filePath("t.pro"));
    QCOMPARE(plan.added, 3);
    const QByteArray records = importPlan::records(plan, teamImport::archive().format);
    const QList<TeamRecord> teams = {TeamRecord::fromBytes(records.mid(0, TeamRecord::Size)),
                                     TeamRecord::fromBytes(records.mid(TeamRecord::Size, TeamRecord::Size)),
                                     TeamRecord::fromBytes(records.mid(2 * TeamRecord::Size))};
    QCOMPARE(teams.at(0).Squadra, "Aquile");
    QCOMPARE(teams.at(0).Selezionata, "S\u00EC");
    QCOMPARE(teams.at(0).Fondazione, "1920");
    QCOMPARE(teams.at(1).Selezionata, "No");
    QCOMPARE(teams.at(1).Fondazione, "03/04/1950");
    QCOMPARE(teams.at(2).Selezionata, "No");
    QCOMPARE(issues(plan.warnings), QStringList{"4: \u00ABSelezionata\u00BB non \u00E8 S\u00EC o No (forse): registrato No"});
    QCOMPARE(issues(plan.rejected), QStringList{"5: manca \u00ABSquadra\u00BB"});
    // Nothing was written, not even an empty archive.
    QVERIFY(!QFile::exists(dir.filePath("t.pro")));
}

// A withdrawn record is still in the archive: a row for it is matched (skipped or updating it),
// never added a second time, and the user is told; the record stays withdrawn.
void TestImport::withdrawnRecordIsMatchedAndSaidSo()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.pro");
    TeamRecord aquile, falchi;
    aquile.Squadra = "Aquile";
    falchi.Squadra = "Falchi";
    QVERIFY(archiveFiles::write(path, {aquile.toBytes(), falchi.toBytes()}));
    QCOMPARE(withdrawal::apply(path, TeamRecord::Size, {{2, withdrawal::Action::Withdraw, {}, {}}}, QDate(2027, 3, 12)),
             withdrawal::Outcome::Done);
    const sheetImport::Sheet sheet = sheetOf({{"Squadra", "Note"}, {"Falchi", ""}, {"Grifoni", ""}, {"Aquile", ""}});
    const QString warning = "2: " + importPlan::withdrawnMatchWarning(2, QDate(2027, 3, 12));
    QVERIFY(warning.contains("ritirata il 12/03/2027"));

    const importPlan::Plan skipping = planFor(teamImport::archive(), sheet, Duplicates::Skip, path);
    QCOMPARE(skipping.added, 1);
    QCOMPARE(skipping.skipped, 2);
    QCOMPARE(issues(skipping.warnings), QStringList{warning});

    const sheetImport::Sheet noted = sheetOf({{"Squadra", "Note"}, {"Falchi", "rientra?"}});
    importPlan::Plan updating = planFor(teamImport::archive(), noted, Duplicates::Update, path);
    QCOMPARE(updating.added, 0);
    QCOMPARE(updating.updated(), 1);
    QCOMPARE(updating.updates.first().position, qint64(2));
    QCOMPARE(issues(updating.warnings), QStringList{warning});
    importPlan::commit(updating, path, teamImport::archive().format);
    QVERIFY(withdrawal::read(path).isWithdrawn(2));
}

void TestImport::rejectedRowsAreListedWithTheirNumbers()
{
    QList<QStringList> rows = {playerHeader};
    rows.append(playerBasics);
    rows.append({"", "M", "Aquile", "T2", "30/06/2027", "31/08/2027"});
    rows.append({"Verdi Luca", "", "Aquile", "T3", "30/06/2027", "31/08/2027"});
    rows.append({"Neri Ugo", "M", "Aquile", "T4", "31/02/2027", "31/08/2027"});
    rows.append({"Gialli Ivo", "M", "Aquile", "T5", "30/06/2027", ""});
    // Every reason at once, so the row is mended in one go.
    rows.append({"", "", "Aquile", " ", "31/02/2027", ""});
    sheetImport::Sheet sheet = sheetOf(rows);
    sheet.rows[4].number = 9;  // blank rows before it in the file
    QTemporaryDir dir;
    const importPlan::Plan plan = planFor(playerImport::archive(), sheet, Duplicates::Skip, dir.filePath("g.pro"));
    QCOMPARE(plan.added, 1);
    QCOMPARE(issues(plan.rejected),
             (QStringList{"3: manca \u00ABCognome e nome\u00BB", "4: manca \u00ABSesso\u00BB",
                          "9: data non valida in \u00ABScadenza tessera\u00BB: 31/02/2027",
                          "6: manca \u00ABScadenza cert. medico\u00BB",
                          "7: mancano \u00ABCognome e nome\u00BB, \u00ABSesso\u00BB, \u00ABTessera n.\u00BB, "
                          "\u00ABScadenza cert. medico\u00BB; data non valida in \u00ABScadenza tessera\u00BB: 31/02/2027"}));
    QCOMPARE(importPlan::summary(plan, true), (QStringList{"Schede aggiunte: 1", "Schede aggiornate: 0",
                                                     "Righe saltate perch\u00E9 gi\u00E0 in archivio: 0", "Righe scartate: 5"}));
}

void TestImport::duplicatesAreSkippedOrUpdated_data()
{
    QTest::addColumn<Duplicates>("duplicates");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("updated");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("bianchiRole");

    QTest::newRow("skip") << Duplicates::Skip << 1 << 0 << 4 << "portiere";
    QTest::newRow("update") << Duplicates::Update << 1 << 1 << 1 << "difensore";
}

// The archive holds Rossi (born 1985) and Bianchi; the sheet brings Rossi born 1990 (another
// player), Bianchi twice (the later row wins), Rossi 1985 unchanged and a new player twice.
void TestImport::duplicatesAreSkippedOrUpdated()
{
    QFETCH(Duplicates, duplicates);
    QFETCH(int, added);
    QFETCH(int, updated);
    QFETCH(int, skipped);
    QFETCH(QString, bianchiRole);

    QTemporaryDir dir;
    const QString path = dir.filePath("Archivio_Giocatori.pro");
    PlayerRecord rossi = player("Rossi Mario", "05/03/1985", "Aquile");
    PlayerRecord bianchi = player("Bianchi Ugo", "", "Aquile");
    bianchi.Ruolo = "portiere";
    bianchi.Tel = "0543 1234";
    bianchi.File01 = "certificato.pdf";
    QVERIFY(archiveFiles::writeRecords<PlayerRecord>(path, {rossi, bianchi}));

    QStringList header = playerHeader;
    header << "Data nascita" << "Ruolo" << "Tel. casa";
    const sheetImport::Sheet sheet = sheetOf({
        header,
        {"Rossi Mario", "M", "Aquile", "T-Ros", "30/06/2027", "31/08/2027", "01/01/1990", "", ""},
        {"BIANCHI UGO ", "M", "Aquile", "T-Bia", "30/06/2027", "31/08/2027", "", "attaccante", ""},
        {"Bianchi Ugo", "M", "Aquile", "T-Bia", "30/06/2027", "31/08/2027", "", "difensore", ""},
        {"Rossi Mario", "M", "Aquile", "T-Ros", "30/06/2027", "31/08/2027", "5/3/85", "", ""},
        {"Rossi Mario", "M", "Aquile", "T-Ros", "30/06/2027", "31/08/2027", "01/01/1990", "", ""},
    });
    importPlan::Plan plan = planFor(playerImport::archive(), sheet, duplicates, path);
    QCOMPARE(plan.added, added);
    QCOMPARE(plan.updated(), updated);
    QCOMPARE(plan.skipped, skipped);
    QCOMPARE(importPlan::commit(plan, path, playerImport::archive().format), qint64(3));

    const QList<PlayerRecord> stored = archiveFiles::readRecords<PlayerRecord>(path);
    QCOMPARE(stored.size(), 3);
    QCOMPARE(stored.at(0).toBytes(), rossi.toBytes());
    // An update changes what the row gives and keeps the rest: an empty cell erases nothing.
    QCOMPARE(stored.at(1).Ruolo, bianchiRole);
    QCOMPARE(stored.at(1).Tel, "0543 1234");
    QCOMPARE(stored.at(1).File01, "certificato.pdf");
    QCOMPARE(stored.at(2).Giocatore, "Rossi Mario");
    QCOMPARE(stored.at(2).DataNasc, "01/01/1990");
}

void TestImport::largeSheetGivesTheSamePlanAsItsRows_data()
{
    QTest::addColumn<Duplicates>("duplicates");
    QTest::newRow("skip") << Duplicates::Skip;
    QTest::newRow("update") << Duplicates::Update;
}

// A sheet large enough to be worked in parts: every row where it stands, every rejected row with
// its number in order, and a team named again (skipped, or its later field kept) wherever the
// parts are cut.
void TestImport::largeSheetGivesTheSamePlanAsItsRows()
{
    QFETCH(Duplicates, duplicates);
    QList<QStringList> rows = {{"Squadra", "Campo"}};
    QStringList rejected;
    QList<QStringList> expected;  // each team's row, in the order of their first appearance
    for (int i = 0; i < 5000; ++i) {
        const int number = int(rows.size()) + 1;
        if (i % 7 == 3) {
            rows.append({"", QString("Campo %1").arg(i)});
            rejected.append(QString::number(number) + ": manca \u00ABSquadra\u00BB");
        } else if (i % 11 == 5) {
            // Named again: a team from halfway back, often in another part.
            const qsizetype again = expected.size() / 2;
            rows.append({expected.at(again).at(0), QString("Campo %1").arg(i)});
            if (duplicates == Duplicates::Update)
                expected[again][1] = rows.last().at(1);
        } else {
            rows.append({QString("Squadra %1").arg(i), QString("Campo %1").arg(i)});
            expected.append(rows.last());
        }
    }
    QTemporaryDir dir;
    const importPlan::Plan plan = planFor(teamImport::archive(), sheetOf(rows), duplicates, dir.filePath("t.pro"));
    QCOMPARE(issues(plan.rejected), rejected);
    QCOMPARE(plan.added, expected.size());
    QCOMPARE(plan.skipped, duplicates == Duplicates::Skip ? 5000 - expected.size() - rejected.size() : 0);
    const RecordFormat& format = teamImport::archive().format;
    QByteArray records;
    for (const QStringList& team : std::as_const(expected))
        records += importPlan::records(
            planFor(teamImport::archive(), sheetOf({rows.first(), team}), duplicates, dir.filePath("t.pro")), format);
    QVERIFY(importPlan::records(plan, format) == records);
}

void TestImport::failedWriteLeavesTheArchiveAsItWas_data()
{
    QTest::addColumn<fileFaults::Fault>("fault");
    QTest::addColumn<int>("nth");

    QTest::newRow("disk full at the new records") << fileFaults::Fault::WriteFails << 1;
    QTest::newRow("disk full at the update, after the new records") << fileFaults::Fault::WriteFails << 2;
    QTest::newRow("flush fails") << fileFaults::Fault::FlushFails << 1;
    QTest::newRow("archive may only be read") << fileFaults::Fault::OpenForWritingRefused << 0;
}

void TestImport::failedWriteLeavesTheArchiveAsItWas()
{
    QFETCH(fileFaults::Fault, fault);
    QFETCH(int, nth);

    QTemporaryDir dir;
    const QString path = dir.filePath("Archivio_Squadre.pro");
    TeamRecord aquile = team("Aquile");
    QVERIFY(archiveFiles::writeRecords<TeamRecord>(path, {aquile}));
    const QByteArray before = fileBytes(path);
    const sheetImport::Sheet sheet = sheetOf({{"Squadra", "Campo"}, {"Falchi", "Comunale"}, {"Aquile", "Nuovo"},
                                              {"Grifoni", ""}});
    importPlan::Plan plan = planFor(teamImport::archive(), sheet, Duplicates::Update, path);
    QCOMPARE(plan.added, 2);
    QCOMPARE(plan.updated(), 1);

    const fileFaults::Injected injected({fault, nth, dir.path()});
    QVERIFY_THROWS_EXCEPTION(ArchiveError, importPlan::commit(plan, path, teamImport::archive().format));
    QVERIFY(injected.strikes() > 0);
    QCOMPARE(fileBytes(path), before);
}

// Two stations analyse the same sheet before either writes: the second, checked again under the
// lock, finds the first one's records and adds no second copy of them.
void TestImport::secondStationImportingTheSameRowsAddsNothing_data()
{
    QTest::addColumn<Duplicates>("duplicates");
    QTest::addColumn<QString>("secondField");
    QTest::addColumn<int>("updated");
    QTest::addColumn<int>("skipped");
    QTest::newRow("skipping") << Duplicates::Skip << "Nuovo" << 0 << 3;
    QTest::newRow("updating, the same rows") << Duplicates::Update << "Comunale" << 0 << 3;
    QTest::newRow("updating, a field changed") << Duplicates::Update << "Nuovo" << 2 << 1;
}

void TestImport::secondStationImportingTheSameRowsAddsNothing()
{
    QFETCH(Duplicates, duplicates);
    QFETCH(QString, secondField);
    QFETCH(int, updated);
    QFETCH(int, skipped);

    QTemporaryDir dir;
    const QString path = dir.filePath("Archivio_Squadre.pro");
    QVERIFY(archiveFiles::writeRecords<TeamRecord>(path, {team("Lupi")}));
    const sheetImport::Sheet first = sheetOf({{"Squadra", "Campo"}, {"Falchi", "Comunale"}, {"Aquile", "Comunale"}});
    const sheetImport::Sheet second =
        sheetOf({{"Squadra", "Campo"}, {"Falchi", secondField}, {"Aquile", secondField}, {"Lupi", ""}});
    importPlan::Plan one = planFor(teamImport::archive(), first, duplicates, path);
    importPlan::Plan other = planFor(teamImport::archive(), second, duplicates, path);
    QCOMPARE(other.added, 2);

    QCOMPARE(importPlan::commit(one, path, teamImport::archive().format), qint64(2));
    importPlan::commit(other, path, teamImport::archive().format);
    QCOMPARE(other.added, 0);
    QCOMPARE(other.updated(), updated);
    QCOMPARE(other.skipped, skipped);
    QVERIFY(importPlan::summary(other, true).contains(QStringLiteral("Schede aggiunte: 0")));

    const QList<TeamRecord> stored = archiveFiles::readRecords<TeamRecord>(path);
    QCOMPARE(stored.size(), 3);
    QCOMPARE(stored.at(1).Squadra, "Falchi");
    QCOMPARE(stored.at(1).Campo, updated > 0 ? secondField : QStringLiteral("Comunale"));
    QCOMPARE(stored.at(2).Squadra, "Aquile");
}

void TestImport::recordChangedByAnotherStationStopsTheWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Archivio_Squadre.pro");
    TeamRecord aquile = team("Aquile");
    QVERIFY(archiveFiles::writeRecords<TeamRecord>(path, {aquile}));
    const sheetImport::Sheet sheet = sheetOf({{"Squadra", "Campo"}, {"Falchi", "Comunale"}, {"Aquile", "Nuovo"}});
    importPlan::Plan plan = planFor(teamImport::archive(), sheet, Duplicates::Update, path);

    // Another station saves Aquile between the screen's reading and the import.
    aquile.Note = "cambiata altrove";
    QVERIFY(archiveFiles::writeRecords<TeamRecord>(path, {aquile}));
    const QByteArray before = fileBytes(path);
    QVERIFY_THROWS_EXCEPTION(RecordChanged, importPlan::commit(plan, path, teamImport::archive().format));
    QCOMPARE(fileBytes(path), before);
}

void TestImport::exportAndImportGiveTheSameRecords_data()
{
    QTest::addColumn<bool>("players");
    QTest::addColumn<bool>("xlsx");

    QTest::newRow("teams, .xls") << false << false;
    QTest::newRow("teams, .xlsx") << false << true;
    QTest::newRow("players, .xls") << true << false;
    QTest::newRow("players, .xlsx") << true << true;
}

// Every field the export carries, filled, with markup characters, accents and the euro sign. The
// .xls leaves the player's sex, height, weight and awards out: those records have them as an import
// gives them (empty, the sex from the tax code); the workbook carries them.
void TestImport::exportAndImportGiveTheSameRecords()
{
    QFETCH(bool, players);
    QFETCH(bool, xlsx);

    QTemporaryDir from;
    QTemporaryDir into;
    QList<QByteArray> records;
    if (players) {
        for (int i = 0; i < 3; ++i) {
            PlayerRecord record = player(QStringLiteral("Rossi & <Figli> %1").arg(i), "10/12/1985", "Forl\u00EC \u20AC");
            record.CodFisc = taxCodeOf(i == 1 ? "BNCLRA90A41H501" : "RSSMRA85T10A562");
            record.Sesso = i == 1 ? "F" : "M";
            record.DataNasc = i == 1 ? "01/01/1990" : i == 2 ? "verso il 1985" : "10/12/1985";
            const QStringList texts = {"Italiana", "Cesena", "Via \"Roma\" 1", "Citt\u00E0", "47121", "Italia",
                                       "10", "portiere", "destro", "a@b.it", "0543 1", "333 1", "007"};
            const QList<QString PlayerRecord::*> fields = {&PlayerRecord::Cittadinanza, &PlayerRecord::LuogoNasc,
                                                           &PlayerRecord::Indirizzo, &PlayerRecord::Citta,
                                                           &PlayerRecord::Cap, &PlayerRecord::Nazione,
                                                           &PlayerRecord::Maglia, &PlayerRecord::Ruolo,
                                                           &PlayerRecord::Piede, &PlayerRecord::Email,
                                                           &PlayerRecord::Tel, &PlayerRecord::Cel, &PlayerRecord::Tessera};
            for (int f = 0; f < fields.size(); ++f)
                record.*fields.at(f) = texts.at(f);
            record.Reti = QString::number(i * 12);
            record.Presenze = "999999";
            record.Infortuni = QString(250, 'i');
            record.Note = "nota; con, separatori";
            if (xlsx) {
                record.CodFisc = i == 1 ? "" : record.CodFisc;  // the sex from its own column
                record.Altezza = "1,80 m";
                record.Peso = "72";
                record.Riconoscimenti = "Pallone d'oro <2024>";
            }
            records.append(record.toBytes());
        }
    } else {
        for (int i = 0; i < 3; ++i) {
            TeamRecord record;
            const QList<QString TeamRecord::*> fields = {
                &TeamRecord::Squadra, &TeamRecord::Colori, &TeamRecord::Sede, &TeamRecord::Campo, &TeamRecord::Presidente,
                &TeamRecord::Allenatore, &TeamRecord::Capitano, &TeamRecord::Capocannoniere, &TeamRecord::Portieri,
                &TeamRecord::Difensori, &TeamRecord::Centrocampisti, &TeamRecord::Attaccanti, &TeamRecord::Fondatore,
                &TeamRecord::Responsabile, &TeamRecord::Telefono, &TeamRecord::Email, &TeamRecord::Palmares,
                &TeamRecord::Note};
            for (int f = 0; f < fields.size(); ++f)
                record.*fields.at(f) = QStringLiteral("Testo %1 & <%2> \u00E8 \u20AC").arg(f).arg(i);
            record.Fondazione = i == 0 ? "01/09/1920" : i == 1 ? "1920" : "";
            record.Selezionata = i == 1 ? "S\u00EC" : "No";
            records.append(record.toBytes());
        }
    }
    const sheetImport::Archive& archive = players ? playerImport::archive() : teamImport::archive();
    const spreadsheet::Sheet& sheet = players ? playerExport::sheet() : teamExport::sheet();
    const QString source = from.filePath(archive.fileName);
    QVERIFY(archiveFiles::write(source, records));

    const spreadsheet::Sheet written = xlsx ? workbook::sheetOf(sheet) : sheet;
    const spreadsheet::Table table = spreadsheet::read(source, archive.format, written);
    const QString exported = from.filePath(xlsx ? workbook::fileName(sheet) : sheet.fileName);
    QVERIFY(xlsx ? workbook::write(exported, written, table) : spreadsheet::write(exported, written, table));

    const sheetFile::Loaded loaded = sheetFile::read(exported);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.error));
    const QString target = into.filePath(archive.fileName);
    importPlan::Plan plan = planFor(archive, loaded.sheet, Duplicates::Skip, target);
    QCOMPARE(issues(plan.rejected), QStringList());
    QCOMPARE(plan.added, 3);
    QCOMPARE(importPlan::commit(plan, target, archive.format), qint64(1));
    QCOMPARE(fileBytes(target), fileBytes(source));
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
