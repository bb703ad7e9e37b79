#include "matches/Counting.h"
#include "matches/Totals.h"

#include <QTest>

using namespace matches;

Q_DECLARE_METATYPE(matches::Match)
Q_DECLARE_METATYPE(matches::Rules)
Q_DECLARE_METATYPE(matches::Withdrawn)

namespace {

Match between(int home, int away, Status status = Status::Giocata, int homeGoals = 0, int awayGoals = 0)
{
    Match match;
    match.number = 1;
    match.round = 1;
    match.home = home;
    match.away = away;
    match.status = status;
    match.homeGoals = homeGoals;
    match.awayGoals = awayGoals;
    match.date = QDate(2026, 3, 1);
    return match;
}

Match forfeit(Side atFault)
{
    Match match = between(1, 2, Status::Tavolino);
    match.atFault = atFault;
    return match;
}

Match knockout(int homeGoals, int awayGoals, std::optional<int> homeExtra = {}, std::optional<int> awayExtra = {},
               std::optional<int> homePens = {}, std::optional<int> awayPens = {})
{
    Match match = between(1, 2, Status::Giocata, homeGoals, awayGoals);
    match.phase = Phase::Knockout;
    match.roundSize = 2;
    match.homeExtra = homeExtra;
    match.awayExtra = awayExtra;
    match.homePenalties = homePens;
    match.awayPenalties = awayPens;
    return match;
}

Rules withDeduction()
{
    Rules rules;
    rules.forfeitDeduction = true;
    return rules;
}

Rules fiveASide()
{
    Rules rules;
    rules.forfeitWinnerGoals = 6;
    return rules;
}

Rules withdrawal(Withdrawal how, QDate returnLeg = {})
{
    Rules rules;
    rules.withdrawal = how;
    rules.returnLegFrom = returnLeg;
    return rules;
}

}  // namespace

class TestMatchPoints : public QObject {
    Q_OBJECT

private slots:
    void resultToPoints_data();
    void resultToPoints();
    void knockoutNeverGivesPoints();
    void totalsAddMatchesAndDeductions();
    void pendingMatchesAreCounted();
    void statusWords();
};

void TestMatchPoints::resultToPoints_data()
{
    QTest::addColumn<Match>("match");
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<Withdrawn>("withdrawn");
    QTest::addColumn<bool>("counts");
    // home goals for/against and points, then the same for away
    QTest::addColumn<QList<int>>("expected");

    const Rules rules;
    const QDate march(2026, 3, 1);
    QTest::newRow("home win") << between(1, 2, Status::Giocata, 2, 1) << rules << Withdrawn{} << true
                              << QList<int>{2, 1, 3, 1, 2, 0};
    QTest::newRow("away win") << between(1, 2, Status::Giocata, 0, 4) << rules << Withdrawn{} << true
                              << QList<int>{0, 4, 0, 4, 0, 3};
    QTest::newRow("draw") << between(1, 2, Status::Giocata, 1, 1) << rules << Withdrawn{} << true
                          << QList<int>{1, 1, 1, 1, 1, 1};
    QTest::newRow("goalless draw") << between(1, 2, Status::Giocata) << rules << Withdrawn{} << true
                                   << QList<int>{0, 0, 1, 0, 0, 1};
    Rules twoForAWin;
    twoForAWin.winPoints = 2;
    twoForAWin.lossPoints = -1;
    QTest::newRow("other points") << between(1, 2, Status::Giocata, 3, 0) << twoForAWin << Withdrawn{} << true
                                  << QList<int>{3, 0, 2, 0, 3, -1};
    QTest::newRow("forfeit home at fault") << forfeit(Side::Home) << rules << Withdrawn{} << true
                                           << QList<int>{0, 3, 0, 3, 0, 3};
    QTest::newRow("forfeit away at fault") << forfeit(Side::Away) << rules << Withdrawn{} << true
                                           << QList<int>{3, 0, 3, 0, 3, 0};
    QTest::newRow("forfeit home at fault, deduction") << forfeit(Side::Home) << withDeduction() << Withdrawn{}
                                                      << true << QList<int>{0, 3, -1, 3, 0, 3};
    QTest::newRow("forfeit away at fault, deduction") << forfeit(Side::Away) << withDeduction() << Withdrawn{}
                                                      << true << QList<int>{3, 0, 3, 0, 3, -1};
    QTest::newRow("forfeit both at fault, deduction") << forfeit(Side::Both) << withDeduction() << Withdrawn{}
                                                      << true << QList<int>{0, 3, -1, 0, 3, -1};
    QTest::newRow("forfeit five-a-side score") << forfeit(Side::Away) << fiveASide() << Withdrawn{} << true
                                               << QList<int>{6, 0, 3, 0, 6, 0};
    Match forfeitWithGoals = forfeit(Side::Home);
    forfeitWithGoals.homeGoals = 5;  // the goals on the field do not count
    QTest::newRow("forfeit ignores goals") << forfeitWithGoals << rules << Withdrawn{} << true
                                           << QList<int>{0, 3, 0, 3, 0, 3};
    QTest::newRow("forfeit nobody at fault") << forfeit(Side::None) << rules << Withdrawn{} << false
                                             << QList<int>{};
    QTest::newRow("annulled") << between(1, 2, Status::Annullata, 2, 0) << rules << Withdrawn{} << false
                              << QList<int>{};
    QTest::newRow("postponed") << between(1, 2, Status::Rinviata) << rules << Withdrawn{} << false << QList<int>{};
    QTest::newRow("suspended") << between(1, 2, Status::Sospesa, 1, 0) << rules << Withdrawn{} << false
                               << QList<int>{};
    QTest::newRow("to play") << between(1, 2, Status::DaGiocare) << rules << Withdrawn{} << false << QList<int>{};
    QTest::newRow("rest") << between(1, 0, Status::DaGiocare) << rules << Withdrawn{} << false << QList<int>{};
    QTest::newRow("slot not known yet") << between(0, 0, Status::Giocata, 1, 0) << rules << Withdrawn{} << false
                                        << QList<int>{};

    // A withdrawn team (entry 2) under each rule.
    const Withdrawn before{{2, march.addDays(10)}};  // withdrew after the match
    const Withdrawn after{{2, march.addDays(-10)}};  // withdrew before it
    const QDate returnLeg = march.addDays(20);
    QTest::newRow("withdrawn in first leg: played match annulled")
        << between(1, 2, Status::Giocata, 2, 0) << withdrawal(Withdrawal::ByLeg, returnLeg) << before << false
        << QList<int>{};
    QTest::newRow("withdrawn, no return leg: annulled")
        << between(1, 2, Status::Giocata, 2, 0) << withdrawal(Withdrawal::ByLeg) << before << false << QList<int>{};
    const Withdrawn inReturnLeg{{2, returnLeg.addDays(3)}};
    QTest::newRow("withdrawn in return leg: played before counts")
        << between(1, 2, Status::Giocata, 2, 0) << withdrawal(Withdrawal::ByLeg, returnLeg) << inReturnLeg << true
        << QList<int>{2, 0, 3, 0, 2, 0};
    Match later = between(1, 2, Status::DaGiocare);
    later.date = returnLeg.addDays(7);
    QTest::newRow("withdrawn in return leg: the rest are forfeits")
        << later << withdrawal(Withdrawal::ByLeg, returnLeg) << inReturnLeg << true << QList<int>{3, 0, 3, 0, 3, 0};
    QTest::newRow("played count, rest forfeit: played before")
        << between(1, 2, Status::Giocata, 1, 1) << withdrawal(Withdrawal::PlayedCountRestForfeit) << before << true
        << QList<int>{1, 1, 1, 1, 1, 1};
    QTest::newRow("played count, rest forfeit: result after withdrawal")
        << between(1, 2, Status::Giocata, 0, 2) << withdrawal(Withdrawal::PlayedCountRestForfeit) << after << true
        << QList<int>{3, 0, 3, 0, 3, 0};
    Match awayWithdrawnAtHome = between(2, 1, Status::Rinviata);
    QTest::newRow("played count, rest forfeit: withdrawn team at home")
        << awayWithdrawnAtHome << withdrawal(Withdrawal::PlayedCountRestForfeit) << after << true
        << QList<int>{0, 3, 0, 3, 0, 3};
    QTest::newRow("all annulled") << between(1, 2, Status::Giocata, 2, 0) << withdrawal(Withdrawal::AllAnnulled)
                                  << before << false << QList<int>{};
    QTest::newRow("both withdrawn") << between(1, 2, Status::DaGiocare)
                                    << withdrawal(Withdrawal::PlayedCountRestForfeit)
                                    << Withdrawn{{1, march}, {2, march}} << false << QList<int>{};
    QTest::newRow("other teams unaffected") << between(1, 3, Status::Giocata, 0, 1)
                                            << withdrawal(Withdrawal::AllAnnulled) << before << true
                                            << QList<int>{0, 1, 0, 1, 0, 3};
}

void TestMatchPoints::resultToPoints()
{
    QFETCH(Match, match);
    QFETCH(Rules, rules);
    QFETCH(Withdrawn, withdrawn);
    QFETCH(bool, counts);
    QFETCH(QList<int>, expected);

    const Count count = countMatch(match, rules, withdrawn);
    QCOMPARE(count.counts, counts);
    if (!counts)
        return;
    const QList<int> got{count.home.goalsFor, count.home.goalsAgainst, count.home.points,
                         count.away.goalsFor, count.away.goalsAgainst, count.away.points};
    QCOMPARE(got, expected);
    // The verdicts follow the counted goals for every case but a forfeit with both at fault.
    if (match.atFault != Side::Both) {
        const auto verdict = [](const SideCount& side) {
            return side.goalsFor > side.goalsAgainst   ? Verdict::Won
                   : side.goalsFor < side.goalsAgainst ? Verdict::Lost
                                                       : Verdict::Drawn;
        };
        QCOMPARE(count.home.verdict, verdict(count.home));
        QCOMPARE(count.away.verdict, verdict(count.away));
    } else {
        QCOMPARE(count.home.verdict, Verdict::Lost);
        QCOMPARE(count.away.verdict, Verdict::Lost);
    }
}

void TestMatchPoints::knockoutNeverGivesPoints()
{
    const Rules rules;
    const Count regular = countMatch(knockout(2, 1), rules);
    QVERIFY(regular.counts);
    QCOMPARE(regular.home.verdict, Verdict::Won);
    QCOMPARE(regular.home.points, 0);
    QCOMPARE(regular.away.points, 0);

    const Count extraTime = countMatch(knockout(1, 1, 0, 1), rules);
    QCOMPARE(extraTime.away.verdict, Verdict::Won);
    QCOMPARE(extraTime.away.goalsFor, 2);

    const Count penalties = countMatch(knockout(1, 1, 0, 0, 5, 4), rules);
    QCOMPARE(penalties.home.verdict, Verdict::Won);
    QCOMPARE(penalties.away.verdict, Verdict::Lost);
    QCOMPARE(penalties.home.goalsFor, 1);  // the shoot-out is no goals
    QCOMPARE(knockout(1, 1, 0, 0, 5, 4).winner(), Side::Home);
    QCOMPARE(knockout(1, 1).winner(), Side::None);
}

void TestMatchPoints::totalsAddMatchesAndDeductions()
{
    Calendar calendar;
    calendar.rules.forfeitDeduction = true;
    calendar.matches = {
        between(1, 2, Status::Giocata, 2, 1), between(3, 1, Status::Giocata, 0, 0),
        forfeit(Side::Home) /* 1 at fault against 2 */, between(2, 3, Status::Annullata, 5, 0),
        between(3, 2, Status::Rinviata),
    };
    calendar.deductions = {{3, 2, QStringLiteral("Ammenda non pagata"), QDate(2026, 4, 1), 0}};

    const QList<EntryTotals> totals = entryTotals(calendar, 3);
    QCOMPARE(totals.size(), 3);
    // played, won, drawn, lost, for, against, match points, deducted, pending
    const auto row = [](const EntryTotals& t) {
        return QList<int>{t.played,   t.won,          t.drawn,    t.lost,   t.goalsFor,
                          t.goalsAgainst, t.matchPoints, t.deducted, t.pending};
    };
    QCOMPARE(row(totals[0]), (QList<int>{3, 1, 1, 1, 2, 4, 3, 0, 0}));
    QCOMPARE(totals[0].points(), 3);  // 3 + 1 - 1 for the forfeit
    QCOMPARE(row(totals[1]), (QList<int>{2, 1, 0, 1, 4, 2, 3, 0, 1}));
    QCOMPARE(row(totals[2]), (QList<int>{1, 0, 1, 0, 0, 0, 1, 2, 1}));
    QCOMPARE(totals[2].points(), -1);

    // A withdrawn team: its matches go by the rule, the others' totals follow.
    const QList<EntryTotals> withdrawn = entryTotals(calendar, 3, Withdrawn{{3, QDate(2026, 1, 1)}});
    QCOMPARE(withdrawn[2].played, 0);
    QCOMPARE(withdrawn[2].pending, 0);
    QCOMPARE(withdrawn[1].pending, 0);
}

void TestMatchPoints::pendingMatchesAreCounted()
{
    Calendar calendar;
    Match slot = knockout(0, 0);
    slot.status = Status::DaGiocare;
    slot.away = 0;  // the other semifinal is not decided yet
    calendar.matches = {slot, between(1, 2, Status::Sospesa), between(2, 0, Status::DaGiocare)};
    const QList<EntryTotals> totals = entryTotals(calendar, 2);
    QCOMPARE(totals[0].pending, 2);
    QCOMPARE(totals[1].pending, 1);  // the rest is nothing to play
}

void TestMatchPoints::statusWords()
{
    const QStringList words{u"da giocare"_qs, u"giocata"_qs, u"rinviata"_qs,
                            u"sospesa"_qs,    u"a tavolino"_qs, u"annullata"_qs};
    for (int i = 0; i < statusCount; ++i) {
        QCOMPARE(statusWord(Status(i)), words[i]);
        QCOMPARE(statusFromWord(words[i]), std::optional<Status>(Status(i)));
    }
    QCOMPARE(statusFromWord(u"Tavolino"_qs), std::optional<Status>(Status::Tavolino));
    QCOMPARE(statusFromWord(u"vinta"_qs), std::nullopt);
}

QTEST_GUILESS_MAIN(TestMatchPoints)
#include "tst_matchpoints.moc"
