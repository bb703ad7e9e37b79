// Complete standings from counted results: totals, the ordered tie-break criteria with the
// head-to-head recomputed among the teams still level, the reasons shown, draws by lot stored,
// reused and invalidated, play-offs at deciding places, home and away tables, the cross table.
#include "standings/CompleteStandings.h"

#include <QTest>

using namespace standings;

namespace {

const QStringList Names = {QStringLiteral("Aquile"), QStringLiteral("Bisonti"), QStringLiteral("Cervi"),
                           QStringLiteral("Delfini"), QStringLiteral("Falchi")};

int positionOf(const QString& name)
{
    const qsizetype at = Names.indexOf(name);
    Q_ASSERT(at >= 0);
    return int(at) + 1;
}

// "Aquile-Bisonti 2-1" counted as played, 3/1/0.
QList<CountedResult> results(const QStringList& lines)
{
    QList<CountedResult> list;
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '));
        const QStringList teams = parts[0].split(QLatin1Char('-'));
        const QStringList goals = parts[1].split(QLatin1Char('-'));
        CountedResult result{positionOf(teams[0]), positionOf(teams[1]), goals[0].toInt(), goals[1].toInt()};
        result.homePoints = result.homeGoals > result.awayGoals ? 3 : result.homeGoals == result.awayGoals ? 1 : 0;
        result.awayPoints = result.awayGoals > result.homeGoals ? 3 : result.homeGoals == result.awayGoals ? 1 : 0;
        result.outcome = result.homeGoals > result.awayGoals ? 1 : result.homeGoals == result.awayGoals ? 0 : -1;
        list.append(result);
    }
    return list;
}

// "Aquile 5": the first teams of Names with a number each (deductions, fair-play points).
QHash<QString, int> numbers(const QStringList& lines)
{
    QHash<QString, int> map;
    for (const QString& line : lines)
        map.insert(line.section(QLatin1Char(' '), 0, 0), line.section(QLatin1Char(' '), 1).toInt());
    return map;
}

StandingsInput input(int teams, const QStringList& played, const QStringList& deductions = {}, const QStringList& fairPlay = {})
{
    StandingsInput in;
    const QHash<QString, int> deducted = numbers(deductions);
    const QHash<QString, int> fair = numbers(fairPlay);
    for (int i = 0; i < teams; ++i)
        in.teams.append({i + 1, Names[i], deducted.value(Names[i]), fair.value(Names[i])});
    in.results = results(played);
    return in;
}

// "1 Aquile 4 | Aquile davanti a Bisonti: scontri diretti 4–1": place, team, points and reason.
QStringList shown(const StandingsTable& table)
{
    QStringList lines;
    for (const StandingsRow& row : table.rows) {
        QString line = QStringLiteral("%1 %2 %3").arg(row.place).arg(row.name).arg(row.points);
        if (!row.reason.isEmpty())
            line += QStringLiteral(" | ") + row.reason;
        lines.append(line);
    }
    return lines;
}

}  // namespace

class TestCompleteStandings : public QObject {
    Q_OBJECT

private slots:
    void ties_data();
    void ties();
    void totals();
    void lotStoredReusedAndInvalidated();
    void playOffAtDecidingPlace();
    void homeAndAwayTables();
    void crossTableCells();
    void criteriaChecked_data();
    void criteriaChecked();
    void criteriaKeys();
};

void TestCompleteStandings::ties_data()
{
    using Criteria = QList<Criterion>;
    QTest::addColumn<int>("teams");
    QTest::addColumn<QStringList>("played");
    QTest::addColumn<QStringList>("deductions");
    QTest::addColumn<QStringList>("fairPlay");
    QTest::addColumn<Criteria>("criteria");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("two level, head-to-head points")
        << 3 << QStringList{"Aquile-Bisonti 2-1", "Bisonti-Aquile 1-1", "Aquile-Cervi 0-1", "Bisonti-Cervi 1-0"}
        << QStringList() << QStringList() << defaultCriteria()
        << QStringList{"1 Aquile 4 | Aquile davanti a Bisonti: scontri diretti 4\u20131",
                       "2 Bisonti 4 | Bisonti dietro a Aquile: scontri diretti 1\u20134", "3 Cervi 3"};
    // The mini-table of three puts Aquile first; Bisonti and Cervi, level there, are recomputed
    // between themselves (where Bisonti won) rather than by the goal difference of the three,
    // which would put Cervi ahead. Aquile's deduction brings the three level.
    QTest::newRow("three level, one split off, two recomputed")
        << 3
        << QStringList{"Bisonti-Cervi 1-0", "Cervi-Bisonti 0-0", "Aquile-Bisonti 1-0", "Bisonti-Aquile 0-1",
                       "Aquile-Cervi 0-5", "Cervi-Aquile 0-1"}
        << QStringList{"Aquile 5"} << QStringList() << defaultCriteria()
        << QStringList{"1 Aquile 4 | Aquile davanti a Bisonti: scontri diretti 9\u20134",
                       "2 Bisonti 4 | Bisonti davanti a Cervi: scontri diretti 4\u20131",
                       "3 Cervi 4 | Cervi dietro a Bisonti: scontri diretti 1\u20134"};
    // The forfeit comes counted with its awarded score, 3-0, and counts so among the two.
    QTest::newRow("head-to-head with a forfeit")
        << 2 << QStringList{"Aquile-Bisonti 3-0", "Bisonti-Aquile 2-1"} << QStringList() << QStringList() << defaultCriteria()
        << QStringList{"1 Aquile 3 | Aquile davanti a Bisonti: differenza reti negli scontri diretti +2\u2013\u22122",
                       "2 Bisonti 3 | Bisonti dietro a Aquile: differenza reti negli scontri diretti \u22122\u2013+2"};
    QTest::newRow("overall goal difference")
        << 3 << QStringList{"Aquile-Bisonti 1-1", "Aquile-Cervi 3-0", "Bisonti-Cervi 1-0"} << QStringList() << QStringList()
        << defaultCriteria()
        << QStringList{"1 Aquile 4 | Aquile davanti a Bisonti: differenza reti +3\u2013+1",
                       "2 Bisonti 4 | Bisonti dietro a Aquile: differenza reti +1\u2013+3", "3 Cervi 0"};
    QTest::newRow("goals scored")
        << 3 << QStringList{"Aquile-Bisonti 1-1", "Aquile-Cervi 3-2", "Bisonti-Cervi 2-1"} << QStringList() << QStringList()
        << defaultCriteria()
        << QStringList{"1 Aquile 4 | Aquile davanti a Bisonti: gol fatti 4\u20133",
                       "2 Bisonti 4 | Bisonti dietro a Aquile: gol fatti 3\u20134", "3 Cervi 0"};
    QTest::newRow("head-to-head goals scored")
        << 2 << QStringList{"Aquile-Bisonti 3-1", "Bisonti-Aquile 2-1"} << QStringList() << QStringList()
        << Criteria{Criterion::HeadToHeadGoalsScored}
        << QStringList{"1 Aquile 3 | Aquile davanti a Bisonti: gol fatti negli scontri diretti 4\u20133",
                       "2 Bisonti 3 | Bisonti dietro a Aquile: gol fatti negli scontri diretti 3\u20134"};
    QTest::newRow("fewer goals conceded")
        << 3 << QStringList{"Aquile-Bisonti 1-1", "Aquile-Cervi 2-0", "Bisonti-Cervi 3-1"} << QStringList() << QStringList()
        << Criteria{Criterion::FewerConceded}
        << QStringList{"1 Aquile 4 | Aquile davanti a Bisonti: gol subiti 1\u20132",
                       "2 Bisonti 4 | Bisonti dietro a Aquile: gol subiti 2\u20131", "3 Cervi 0"};
    // Cervi and Falchi stay level: no criterion left tells them apart, and they share a place.
    QTest::newRow("wins, and a tie left level")
        << 5 << QStringList{"Aquile-Cervi 1-0", "Delfini-Aquile 1-0", "Bisonti-Cervi 0-0", "Bisonti-Delfini 0-0", "Bisonti-Falchi 0-0"}
        << QStringList() << QStringList() << Criteria{Criterion::Wins}
        << QStringList{"1 Delfini 4", "2 Aquile 3 | Aquile davanti a Bisonti: vittorie 1\u20130",
                       "3 Bisonti 3 | Bisonti dietro a Aquile: vittorie 0\u20131", "4 Cervi 1 | Cervi pari con Falchi",
                       "4 Falchi 1 | Falchi pari con Cervi"};
    QTest::newRow("fair play, fewer points first")
        << 2 << QStringList{"Aquile-Bisonti 1-1"} << QStringList() << QStringList{"Aquile 5", "Bisonti 2"}
        << Criteria{Criterion::HeadToHeadPoints, Criterion::FairPlay}
        << QStringList{"1 Bisonti 1 | Bisonti davanti a Aquile: coppa disciplina 2\u20135",
                       "2 Aquile 1 | Aquile dietro a Bisonti: coppa disciplina 5\u20132"};
    // A deduction moves a team down without any reason: points decided.
    QTest::newRow("a deduction")
        << 2 << QStringList{"Aquile-Bisonti 1-0"} << QStringList{"Aquile 4"} << QStringList() << defaultCriteria()
        << QStringList{"1 Bisonti 0", "2 Aquile -1"};
    // Nothing before the draw tells them apart and none is stored: it is for the caller to make.
    QTest::newRow("draw by lot still to make")
        << 2 << QStringList{"Aquile-Bisonti 1-1"} << QStringList() << QStringList() << defaultCriteria()
        << QStringList{"1 Aquile 1 | Aquile pari con Bisonti: sorteggio da fare",
                       "1 Bisonti 1 | Bisonti pari con Aquile: sorteggio da fare"};
}

void TestCompleteStandings::ties()
{
    QFETCH(int, teams);
    QFETCH(QStringList, played);
    QFETCH(QStringList, deductions);
    QFETCH(QStringList, fairPlay);
    QFETCH(QList<Criterion>, criteria);
    QFETCH(QStringList, expected);
    StandingsInput in = input(teams, played, deductions, fairPlay);
    in.criteria = criteria;
    QCOMPARE(shown(computeStandings(in)), expected);
}

void TestCompleteStandings::totals()
{
    StandingsInput in = input(3, {"Aquile-Bisonti 2-1", "Bisonti-Aquile 1-1", "Aquile-Cervi 0-1", "Bisonti-Cervi 1-0"},
                              {"Cervi 2"});
    const StandingsTable table = computeStandings(in);
    const StandingsRow& aquile = table.rows[0];
    QCOMPARE(aquile.name, QStringLiteral("Aquile"));
    QCOMPARE((QList<int>{aquile.points, aquile.played, aquile.won, aquile.drawn, aquile.lost, aquile.goalsFor,
                         aquile.goalsAgainst, aquile.goalDifference(), aquile.deduction}),
             (QList<int>{4, 3, 1, 1, 1, 3, 3, 0, 0}));
    const StandingsRow& cervi = table.rows[2];
    QCOMPARE((QList<int>{cervi.points, cervi.played, cervi.won, cervi.lost, cervi.deduction}), (QList<int>{1, 2, 1, 1, 2}));
}

void TestCompleteStandings::lotStoredReusedAndInvalidated()
{
    StandingsInput in = input(3, {"Aquile-Bisonti 1-1"});
    StandingsTable table = computeStandings(in);
    QCOMPARE(table.drawsNeeded, (QList<QList<int>>{{1, 2}}));

    // The stored draw settles the tie, again and again, with no new draw.
    in.lots = {Lot{{2, 1}}};
    for (int time = 0; time < 2; ++time) {
        table = computeStandings(in);
        QVERIFY(table.drawsNeeded.isEmpty());
        QVERIFY(table.notes.isEmpty());
        QCOMPARE(shown(table), (QStringList{"1 Bisonti 1 | Bisonti davanti a Aquile: sorteggio",
                                            "2 Aquile 1 | Aquile dietro a Bisonti: sorteggio", "3 Cervi 0"}));
    }

    // A result changes and Cervi is level too: the stored draw no longer applies, and it says so.
    in.teams.append({4, Names[3]});
    in.results = results({"Aquile-Bisonti 1-1", "Cervi-Delfini 1-1"});
    table = computeStandings(in);
    QCOMPARE(table.drawsNeeded, (QList<QList<int>>{{1, 2, 3, 4}}));
    QCOMPARE(table.staleLots, (QList<Lot>{Lot{{2, 1}}}));
    QCOMPARE(table.notes, (QStringList{"Il sorteggio tra Bisonti e Aquile non vale pi\u00F9: le squadre a pari merito sono cambiate."}));

    // A new draw among the four is a permutation of them.
    const Lot lot = drawLot(table.drawsNeeded.first());
    QList<int> order = lot.order;
    std::sort(order.begin(), order.end());
    QCOMPARE(order, (QList<int>{1, 2, 3, 4}));
    in.lots = {lot};
    table = computeStandings(in);
    QVERIFY(table.drawsNeeded.isEmpty());
    QVERIFY(table.notes.isEmpty());
    QCOMPARE(table.rows.first().position, lot.order.first());
}

void TestCompleteStandings::playOffAtDecidingPlace()
{
    // Level on everything at the promotion place: a play-off, not a draw.
    StandingsInput in = input(3, {"Aquile-Bisonti 1-1", "Aquile-Cervi 1-0", "Bisonti-Cervi 1-0"});
    in.decidingPlaces = {1};
    StandingsTable table = computeStandings(in);
    QVERIFY(table.drawsNeeded.isEmpty());
    QCOMPARE(shown(table), (QStringList{"1 Aquile 4 | Aquile pari con Bisonti: spareggio",
                                        "1 Bisonti 4 | Bisonti pari con Aquile: spareggio", "3 Cervi 0"}));
    QVERIFY(table.rows[0].playOff && table.rows[1].playOff && !table.rows[2].playOff);
    // The same tie below the deciding place goes to the draw.
    in.decidingPlaces = {2};
    table = computeStandings(in);
    QCOMPARE(table.drawsNeeded.size(), 1);
    QVERIFY(!table.rows[0].playOff);
}

void TestCompleteStandings::homeAndAwayTables()
{
    StandingsInput in = input(2, {"Aquile-Bisonti 2-0", "Bisonti-Aquile 1-0"}, {"Aquile 1"});
    in.side = Side::Home;
    StandingsTable table = computeStandings(in);
    QCOMPARE(table.rows.size(), 2);
    for (const StandingsRow& row : table.rows) {
        QCOMPARE(row.played, 1);
        QCOMPARE(row.won, 1);
        QCOMPARE(row.deduction, 0);
    }
    QCOMPARE(table.rows[0].name, QStringLiteral("Aquile"));  // 2-0 against 1-0
    in.side = Side::Away;
    table = computeStandings(in);
    QCOMPARE(table.rows[0].lost + table.rows[1].lost, 2);
    QCOMPARE(table.rows[0].points, 0);
    QVERIFY(table.drawsNeeded.isEmpty());
}

void TestCompleteStandings::crossTableCells()
{
    const QList<QStringList> cells =
        crossTable({1, 2, 3}, results({"Aquile-Bisonti 2-1", "Bisonti-Aquile 0-0", "Aquile-Bisonti 1-3", "Cervi-Aquile 4-0"}));
    QCOMPARE(cells[0], (QStringList{"", "2-1 1-3", ""}));
    QCOMPARE(cells[1], (QStringList{"0-0", "", ""}));
    QCOMPARE(cells[2], (QStringList{"4-0", "", ""}));
}

void TestCompleteStandings::criteriaChecked_data()
{
    QTest::addColumn<QList<Criterion>>("criteria");
    QTest::addColumn<QString>("message");
    QTest::newRow("default") << defaultCriteria() << QString();
    QTest::newRow("empty") << QList<Criterion>()
                           << "L'ordine dei criteri per gli arrivi a pari punti \u00E8 vuoto: indicare almeno un criterio.";
    QTest::newRow("repeated") << QList<Criterion>{Criterion::Wins, Criterion::GoalsScored, Criterion::Wins}
                              << "Il criterio \"vittorie\" \u00E8 indicato pi\u00F9 volte nell'ordine per gli arrivi a pari punti.";
}

void TestCompleteStandings::criteriaChecked()
{
    QFETCH(QList<Criterion>, criteria);
    QFETCH(QString, message);
    QCOMPARE(checkCriteria(criteria), message);
}

void TestCompleteStandings::criteriaKeys()
{
    for (Criterion criterion : AllCriteria) {
        bool ok = false;
        QCOMPARE(criterionFromKey(criterionKey(criterion), &ok), criterion);
        QVERIFY(ok);
    }
    bool ok = true;
    criterionFromKey(QStringLiteral("media inglese"), &ok);
    QVERIFY(!ok);
}

QTEST_APPLESS_MAIN(TestCompleteStandings)
#include "tst_completestandings.moc"
