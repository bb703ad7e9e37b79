// The standings rows from tournament files: merit order, alphabetical order, row layouts, the
// printed document and the tournament files a folder holds.
#include "output/ListSummary.h"
#include "standings/Standings.h"
#include "standings/StandingsTable.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tournament/Catalogue.h"

#include "storage_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace fixtures;

namespace {

constexpr int RecordSize = 5865;

struct Team {
    QByteArray name;
    QByteArray contact;
    QByteArray notes;
    QByteArray points;
};

// A tournament record built from the documented offsets. Each text is followed by its zero and
// then by bytes that must be ignored.
QByteArray record(const Team& team)
{
    const QByteArray noise("\0@@noise@@", 10);
    return recordWith(RecordSize, {{0, team.name + noise},
                                   {121, team.contact + noise},
                                   {242, QByteArray("06 1234")},
                                   {344, QByteArray("1/3 Aquile-Leoni 2-1\r\n8/3 Leoni-Orsi 0-0")},
                                   {5345, team.points + QByteArray(1, '\0')},
                                   {5361, team.notes + noise},
                                   {5862, QByteArray("S\xEC")}});
}

QByteArray tournament(const QList<Team>& teams, int fragment = 0)
{
    QByteArray bytes;
    for (const Team& team : teams)
        bytes += record(team);
    return bytes + QByteArray(fragment, 'x');
}

// A tournament file with one entry per points text, "Squadra 1", "Squadra 2"... in file order.
QString tournamentWithPoints(const QTemporaryDir& folder, const QStringList& points)
{
    QList<Team> teams;
    for (const QString& value : points)
        teams.append({"Squadra " + QByteArray::number(teams.size() + 1), {}, {}, value.toLatin1()});
    const QString path = folder.filePath(QStringLiteral("Punti.vai"));
    return writeFile(path, tournament(teams)) ? path : QString();
}

// A tournament of `count` entries drawn from texts that put the row order to the test: points
// that are numbers or not, blanks and controls around fields, folded and accented letters,
// Windows-1252 characters whose code is out of byte order, names alike in their first 30
// characters, and whole duplicates.
QList<Team> trickyTeams(quint32 seed, int count)
{
    const QList<QByteArray> points{"12", "-3,00", "abc", "", " 7,00 ", "1E20", "0,00", "-0,00", "7,0", "007,00",
                                   "7,", ",5", "1.5", "-", "12,50", "\t5,5\r", "5,00x", "99999999999999",
                                   "1234567890123456" /* fills the field: no zero after it */, "   "};
    const QList<QByteArray> names{"Aquile", "aquile", " Aquile ", "AQUILE", "\x80uro", "\xE0ncora", "Zeta",
                                  "zeta\x9F", "\tOrsi", "Polisportiva Dilettantistica Roma",
                                  "Polisportiva Dilettantistica Rieti", "Polisportiva Dilettantistica R",
                                  "", "a b", "a\tb", "[zz]", "_x", "~y"};
    const QList<QByteArray> contacts{"", "Rossi", "rossi", "Giovanni Battista Esposito Jr.", "\x8A" "andor"};
    const QList<QByteArray> notes{"", "girone A", "girone a", QByteArray(70, 'n'), " ritirata "};
    QRandomGenerator random(seed);
    const auto pick = [&random](const QList<QByteArray>& from) { return from.at(random.bounded(int(from.size()))); };
    QList<Team> teams;
    for (int i = 0; i < count; ++i)
        teams.append({pick(names), pick(contacts), pick(notes), pick(points)});
    return teams;
}

// The rows as the standings made them before they were read field by field: every record
// decoded whole, the points matched by a pattern, the row texts made and then sorted.
QList<ListRow> rowsMadeWhole(standings::Kind kind, const QByteArray& file)
{
    QList<standings::Entry> entries;
    for (qsizetype at = 0; at + RecordSize <= file.size(); at += RecordSize) {
        const TournamentRecord record = TournamentRecord::fromBytes(QByteArrayView(file).sliced(at, RecordSize));
        entries.append({entries.size() + 1, record.Concorrente, record.Responsabile, record.Note, record.Punteggio});
    }
    QList<ListRow> rows;
    if (kind == standings::Kind::Alphabetical) {
        for (const standings::Entry& entry : entries) {
            if (!trimControls(entry.punteggio).isEmpty())
                rows.append({standings::alphabeticalRow(entry), entry.position});
        }
        listRows::sort(rows);
        return rows;
    }
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(,[0-9]+)?$"));
    const auto value = [](const standings::Entry& entry) -> std::optional<double> {
        const QString text = trimControls(entry.punteggio);
        if (!number.match(text).hasMatch())
            return std::nullopt;
        return QString(text).replace(u',', u'.').toDouble();
    };
    std::stable_sort(entries.begin(), entries.end(), [&value](const standings::Entry& a, const standings::Entry& b) {
        const std::optional<double> x = value(a);
        const std::optional<double> y = value(b);
        return x && y ? *x > *y : x.has_value() && !y.has_value();
    });
    for (const standings::Entry& entry : entries)
        rows.append({standings::meritRow(rows.size() + 1, entry), entry.position});
    return rows;
}

QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

}  // namespace

Q_DECLARE_METATYPE(Team)

class TestStandings : public QObject {
    Q_OBJECT

private slots:
    void meritOrder_data()
    {
        QTest::addColumn<QStringList>("points");
        QTest::addColumn<QList<qint64>>("positions");  // file positions, first place first
        QTest::newRow("highest first") << QStringList{"12,50", "9,00", "100,00"} << QList<qint64>{3, 1, 2};
        QTest::newRow("equal points in file order") << QStringList{"5,00", "7,00", "5,00", "5,00"}
                                                    << QList<qint64>{2, 1, 3, 4};
        QTest::newRow("empty points last") << QStringList{"", "3,00", "", "0,00"} << QList<qint64>{2, 4, 1, 3};
        QTest::newRow("by value, not by text") << QStringList{"9,00", "12", "7,5", "7,25"} << QList<qint64>{2, 1, 3, 4};
        QTest::newRow("penalties below zero") << QStringList{"-3,00", "0,00", "1,50", "-10,00"}
                                              << QList<qint64>{3, 2, 1, 4};
        QTest::newRow("texts that are not numbers last, in file order")
            << QStringList{"abc", "2,00", "1.5", "-", "3,00", "1,2,3"} << QList<qint64>{5, 2, 1, 3, 4, 6};
        QTest::newRow("blanks around a number") << QStringList{" 4,00 ", "10,00", "   "} << QList<qint64>{2, 1, 3};
        QTest::newRow("no entries") << QStringList{} << QList<qint64>{};
    }
    void meritOrder()
    {
        QFETCH(QStringList, points);
        QFETCH(QList<qint64>, positions);
        QTemporaryDir folder;
        const standings::List list = standings::read(standings::Kind::Merit, tournamentWithPoints(folder, points));
        QVERIFY(!list.failed());
        const QList<ListRow>& rows = list.rows;
        QList<qint64> listed;
        for (qsizetype place = 0; place < rows.size(); ++place) {
            listed.append(rows.at(place).position);
            QVERIFY2(rows.at(place).text.startsWith(QString::number(place + 1).leftJustified(5) + QStringLiteral("  Squadra ")),
                     qPrintable(rows.at(place).text));
        }
        QCOMPARE(listed, positions);
    }

    void rowLayouts_data()
    {
        QTest::addColumn<qint64>("place");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("meritRow");
        QTest::addColumn<QString>("alphabeticalRow");
        QTest::newRow("short fields") << qint64(1) << "Aquile" << "Mario Rossi" << "girone A" << "12,50"
            << "1      Aquile" + spaces(24) + "  Resp. Mario Rossi" + spaces(14) + "  Note: girone A" + spaces(50) + "  Punti: 12,50"
            << "Aquile" + spaces(24) + "  Resp. Mario Rossi" + spaces(19) + "  Note: girone A" + spaces(50) + "  Punti: 12,50";
        const QString name31 = QStringLiteral("Associazione Sportiva Aquilotti");  // 31 characters
        const QString contact26 = QStringLiteral("Giovanni Battista Esposito");      // 26 characters
        const QString notes60 = QString(59, QLatin1Char('n')) + QLatin1Char('N');
        QTest::newRow("long fields cut") << qint64(42) << name31 << contact26 << notes60 << "3,00"
            << "42     Associazione Sportiva Aquilott  Resp. Giovanni Battista Esposit  Note: " + QString(58, QLatin1Char('n'))
                   + "  Punti: 3,00"
            << "Associazione Sportiva Aquilott  Resp. Giovanni Battista Esposito" + spaces(4) + "  Note: "
                   + QString(58, QLatin1Char('n')) + "  Punti: 3,00";
        QTest::newRow("blanks around fields, empty points") << qint64(100000) << "  Orsi " << "" << " " << "  "
            << "10000  Orsi" + spaces(26) + "  Resp. " + spaces(25) + "  Note: " + spaces(58) + "  Punti: "
            << "Orsi" + spaces(26) + "  Resp. " + spaces(30) + "  Note: " + spaces(58) + "  Punti: ";
    }
    void rowLayouts()
    {
        QFETCH(qint64, place);
        QFETCH(QString, name);
        QFETCH(QString, contact);
        QFETCH(QString, notes);
        QFETCH(QString, points);
        QFETCH(QString, meritRow);
        QFETCH(QString, alphabeticalRow);
        const standings::Entry entry{7, name, contact, notes, points};
        QCOMPARE(standings::meritRow(place, entry), meritRow);
        QCOMPARE(standings::alphabeticalRow(entry), alphabeticalRow);
    }

    void alphabeticalOrder_data()
    {
        QTest::addColumn<QList<Team>>("teams");
        QTest::addColumn<QList<qint64>>("positions");
        QTest::newRow("letters folded, blank before letters")
            << QList<Team>{{"beta", "", "", "1,00"}, {"Alfa", "", "", "2,00"}, {"ALFA BIANCA", "", "", "3,00"}}
            << QList<qint64>{2, 3, 1};
        const QByteArray long30("Polisportiva Dilettantistica R");
        QTest::newRow("same first 30 characters, then the contact")
            << QList<Team>{{long30 + "oma", "Verdi", "", "1,00"}, {long30 + "ieti", "Bianchi", "", "1,00"}}
            << QList<qint64>{2, 1};
        QTest::newRow("blank points left out")
            << QList<Team>{{"Zeta", "", "", "   "}, {"Alfa", "", "", ""}, {"Orsi", "", "", "0,00"}}
            << QList<qint64>{3};
        QTest::newRow("no entries") << QList<Team>{} << QList<qint64>{};
    }
    void alphabeticalOrder()
    {
        QFETCH(QList<Team>, teams);
        QFETCH(QList<qint64>, positions);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Coppa.vai"));
        QVERIFY(writeFile(path, tournament(teams)));
        const standings::List list = standings::read(standings::Kind::Alphabetical, path);
        QVERIFY(!list.failed());
        QList<qint64> listed;
        for (const ListRow& row : list.rows)
            listed.append(row.position);
        QCOMPARE(listed, positions);
    }

    // The fields come from their offsets and stop at their zero byte; the fragment at the end is
    // not an entry.
    void readsTheTournamentFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Coppa Estate.vai"));
        QVERIFY(writeFile(path, tournament({{"Leoni", "Anna Neri", "ritirata", "7,00"},
                                            {"Aquile", "Mario Rossi", "girone A", "12,50"},
                                            {"Orsi", "", "", ""}},
                                           RecordSize - 1)));

        const standings::List merit = standings::read(standings::Kind::Merit, path);
        QVERIFY(!merit.failed());
        QCOMPARE(merit.rows.size(), 3);
        QCOMPARE(merit.rows.at(0).text, "1      Aquile" + spaces(24) + "  Resp. Mario Rossi" + spaces(14)
                                            + "  Note: girone A" + spaces(50) + "  Punti: 12,50");
        QCOMPARE(merit.rows.at(0).position, 2);
        QVERIFY(merit.rows.at(1).text.startsWith(QStringLiteral("2      Leoni ")));
        QCOMPARE(merit.rows.at(1).position, 1);
        QVERIFY(merit.rows.at(2).text.startsWith(QStringLiteral("3      Orsi ")));
        QVERIFY(merit.rows.at(2).text.endsWith(QStringLiteral("  Punti: ")));

        const standings::List alphabetical = standings::read(standings::Kind::Alphabetical, path);
        QCOMPARE(alphabetical.rows.size(), 2);
        QCOMPARE(alphabetical.rows.at(0).position, 2);
        QCOMPARE(alphabetical.rows.at(1).text, "Leoni" + spaces(25) + "  Resp. Anna Neri" + spaces(21)
                                                   + "  Note: ritirata" + spaces(50) + "  Punti: 7,00");
    }

    // The rows read field by field from the record bytes are those of the whole decoded records,
    // and the screens' table shows the same fields, column by column.
    void sameRowsAsWholeRecords_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("entries");
        for (const auto& [kind, name] : {std::pair{standings::Kind::Merit, "merit"},
                                         std::pair{standings::Kind::Alphabetical, "alphabetical"}}) {
            QTest::addRow("%s, one entry", name) << int(kind) << 1u << 1;
            QTest::addRow("%s, 300 entries", name) << int(kind) << 2u << 300;
            QTest::addRow("%s, 2000 entries", name) << int(kind) << 3u << 2000;
        }
    }
    void sameRowsAsWholeRecords()
    {
        QFETCH(int, kind);
        QFETCH(quint32, seed);
        QFETCH(int, entries);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Prova.vai"));
        const QByteArray file = tournament(trickyTeams(seed, entries), 17);
        QVERIFY(writeFile(path, file));
        const standings::List list = standings::read(standings::Kind(kind), path);
        QVERIFY(!list.failed());
        const QList<ListRow> expected = rowsMadeWhole(standings::Kind(kind), file);
        QCOMPARE(list.rows.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(list.rows.at(i).text, expected.at(i).text);
            QCOMPARE(list.rows.at(i).position, expected.at(i).position);
        }
        const standings::Table table = standings::Table::load(standings::Kind(kind), path);
        for (qsizetype row = 0; row < table.count(); ++row) {
            QStringList cells;
            for (qsizetype column = 0; column < table.columns().size(); ++column)
                cells << table.cell(row, column);
            QCOMPARE(listRows::build(table.columns(), cells), table.text(row));
        }
    }

    void missingFileIsCreatedEmpty_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("merit") << int(standings::Kind::Merit);
        QTest::newRow("alphabetical") << int(standings::Kind::Alphabetical);
    }
    void missingFileIsCreatedEmpty()
    {
        QFETCH(int, kind);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Sparito.vai"));
        const standings::List list = standings::read(standings::Kind(kind), path);
        QVERIFY(!list.failed());
        QVERIFY(list.rows.isEmpty());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void unreadableFileFails_data() { missingFileIsCreatedEmpty_data(); }
    void unreadableFileFails()
    {
        QFETCH(int, kind);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Cartella.vai"));
        QVERIFY(QDir().mkpath(path));
        const standings::List list = standings::read(standings::Kind(kind), path);
        QVERIFY(list.failed());
        QVERIFY(list.rows.isEmpty());
    }

    void printedDocument()
    {
        const QList<ListRow> rows{{"1      Aquile", 2}, {"2      Leoni", 1}};
        report::Report document = standings::document(standings::Kind::Merit, QStringLiteral("  Classifica di merito Coppa  "), rows);
        QCOMPARE(document.title(), QStringLiteral("Classifica di merito"));
        QCOMPARE(document.text(QStringLiteral("txtTitolo")).text(), QStringLiteral("Classifica di merito Coppa"));
        const report::Object& lines = document.text(QStringLiteral("txtRiepilogo"));
        QCOMPARE(lines.lines, (QStringList{"1      Aquile", "2      Leoni", "- - - - - - - - - - - - - - - -",
                                           "TOTALE SQUADRE:              2"}));
        QCOMPARE(lines.geometry.height(), 4 * listSummary::lineHeight);
        QCOMPARE(document.band(QStringLiteral("MasterData")).height, 4 * listSummary::lineHeight + 10);
        QCOMPARE(standings::document(standings::Kind::Alphabetical, QString(), {}).title(),
                 QStringLiteral("Classifica alfabetica"));
    }

    void tournamentFiles()
    {
        QTemporaryDir folder;
        for (const char* name : {"Serie A 2024.vai", "coppa.vai", "2024.vai", "Derby.VAI", "note.txt",
                                 "Archivio_Squadre.pro", "vai"})
            QVERIFY(writeFile(folder.filePath(QString::fromLatin1(name)), QByteArray()));
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("Vecchi")));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("Vecchi/Vecchio.vai")), QByteArray()));
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("Cartella.vai")));

        QCOMPARE(catalogue::tournamentFiles(folder.path()),
                 (QStringList{"2024.vai", "coppa.vai", "Derby.VAI", "Serie A 2024.vai"}));
        QVERIFY(catalogue::tournamentFiles(folder.filePath(QStringLiteral("assente"))).isEmpty());
    }

    void titles()
    {
        QCOMPARE(standings::title(standings::Kind::Merit, QStringLiteral("Serie A 2024.vai")),
                 QStringLiteral("Classifica di merito Serie A 2024"));
        QCOMPARE(standings::title(standings::Kind::Alphabetical, QStringLiteral("Serie A 2024.vai")),
                 QStringLiteral("Classifica alfabetica Serie A 2024"));
    }
};

QTEST_GUILESS_MAIN(TestStandings)
#include "tst_standings.moc"
