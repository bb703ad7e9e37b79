#include "matches/Counting.h"
#include "matches/Plan.h"

#include <QSet>
#include <QTest>

using namespace matches;

Q_DECLARE_METATYPE(matches::ReturnLeg)

namespace {

QList<int> firstEntries(int count)
{
    QList<int> entries;
    for (int i = 1; i <= count; ++i)
        entries.append(i);
    return entries;
}

Match& played(Calendar& calendar, int number, int homeGoals, int awayGoals)
{
    Match& match = *calendar.match(number);
    match.status = Status::Giocata;
    match.homeGoals = homeGoals;
    match.awayGoals = awayGoals;
    return match;
}

// The pair of a match as an unordered key.
std::pair<int, int> pairOf(const Match& match)
{
    return {std::min(match.home, match.away), std::max(match.home, match.away)};
}

}  // namespace

class TestCalendarMaking : public QObject {
    Q_OBJECT

private slots:
    void roundRobinProperties_data();
    void roundRobinProperties();
    void bergerTableForSix();
    void drawKeepsSeedsApart_data();
    void drawKeepsSeedsApart();
    void storedDrawIsReused();
    void knockoutProperties_data();
    void knockoutProperties();
    void winnersMoveOn();
    void groupsThenKnockoutFillsFromStandings();
    void datesTimesAndFields();
    void badPlansAreRefused_data();
    void badPlansAreRefused();
};

void TestCalendarMaking::roundRobinProperties_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<ReturnLeg>("returnLeg");
    for (int teams = 2; teams <= 24; ++teams) {
        for (auto [leg, name] : {std::pair{ReturnLeg::None, "single"}, std::pair{ReturnLeg::Mirrored, "mirrored"},
                                 std::pair{ReturnLeg::Asymmetric, "asymmetric"}}) {
            QTest::addRow("%d teams, %s", teams, name) << teams << leg;
        }
    }
}

void TestCalendarMaking::roundRobinProperties()
{
    QFETCH(int, teams);
    QFETCH(ReturnLeg, returnLeg);
    const QList<Match> matches = roundRobin(firstEntries(teams), returnLeg, 1, 1);
    const int legs = returnLeg == ReturnLeg::None ? 1 : 2;
    const int rounds = roundsPerLeg(teams) * legs;

    QMap<std::pair<int, int>, QList<int>> legsOfPair;  // pair -> the legs it was played in
    QMap<std::pair<int, int>, int> homeOfPair;         // pair -> home team of its first leg
    QHash<int, int> home, away;
    QSet<std::pair<int, int>> playsInRound;  // (round, team)
    QHash<int, int> restsInRound;
    QSet<int> numbers;
    for (const Match& match : matches) {
        QVERIFY(match.round >= 1 && match.round <= rounds);
        QCOMPARE(match.leg, match.round <= roundsPerLeg(teams) ? 1 : 2);
        QVERIFY2(!numbers.contains(match.number), "a number given twice");
        numbers.insert(match.number);
        for (int team : {match.home, match.away}) {
            if (team == 0)
                continue;
            QVERIFY2(!playsInRound.contains({match.round, team}), "a team twice in a round");
            playsInRound.insert({match.round, team});
        }
        if (match.isRest()) {
            ++restsInRound[match.round];
            continue;
        }
        QVERIFY(match.home != match.away);
        legsOfPair[pairOf(match)].append(match.leg);
        if (match.leg == 1)
            homeOfPair[pairOf(match)] = match.home;
        else
            QVERIFY2(homeOfPair.value(pairOf(match)) == match.away, "the return leg is not the other way round");
        ++home[match.home];
        ++away[match.away];
    }
    // Every pair once per leg.
    QCOMPARE(legsOfPair.size(), teams * (teams - 1) / 2);
    for (const QList<int>& played : std::as_const(legsOfPair))
        QCOMPARE(played, (legs == 1 ? QList<int>{1} : QList<int>{1, 2}));
    // Every team every round, resting once per leg with an odd count.
    QCOMPARE(playsInRound.size(), rounds * teams);
    for (int round = 1; round <= rounds; ++round)
        QCOMPARE(restsInRound.value(round), teams % 2);
    // Home and away balanced.
    for (int team = 1; team <= teams; ++team)
        QVERIFY2(std::abs(home.value(team) - away.value(team)) <= (legs == 1 ? 1 : 0),
                 qPrintable(QStringLiteral("team %1: %2 at home, %3 away").arg(team).arg(home[team]).arg(away[team])));
    // No pair meets twice in two rounds running, but with two teams.
    if (legs == 2 && teams > 2) {
        QHash<std::pair<int, int>, int> lastRound;
        for (const Match& match : matches) {
            if (match.isRest())
                continue;
            if (lastRound.contains(pairOf(match)))
                QVERIFY(match.round - lastRound[pairOf(match)] > 1);
            lastRound[pairOf(match)] = match.round;
        }
    }
}

void TestCalendarMaking::bergerTableForSix()
{
    // Berger's table for six: the fixed team alternates home and away.
    const QList<Match> matches = roundRobin(firstEntries(6), ReturnLeg::None);
    QStringList rounds(5);
    for (const Match& match : matches)
        rounds[match.round - 1] += QStringLiteral("%1-%2 ").arg(match.home).arg(match.away);
    QCOMPARE(rounds, (QStringList{u"1-6 2-5 3-4 "_qs, u"6-4 5-3 1-2 "_qs, u"2-6 3-1 4-5 "_qs, u"6-5 1-4 2-3 "_qs,
                                  u"3-6 4-2 5-1 "_qs}));
    // Five teams: the one that would meet the sixth rests.
    const QList<Match> odd = roundRobin(firstEntries(5), ReturnLeg::None);
    QCOMPARE(odd.first().home, 1);
    QCOMPARE(odd.first().away, 0);
    QVERIFY(odd.first().isRest());
}

void TestCalendarMaking::drawKeepsSeedsApart_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("seeds");
    QTest::newRow("9 in 2, 2 seeds") << 9 << 2 << 2;
    QTest::newRow("16 in 4, 4 seeds") << 16 << 4 << 4;
    QTest::newRow("10 in 3, 3 seeds") << 10 << 3 << 3;
    QTest::newRow("12 in 3, 6 seeds") << 12 << 3 << 6;
    QTest::newRow("24 in 6, no seeds") << 24 << 6 << 0;
}

void TestCalendarMaking::drawKeepsSeedsApart()
{
    QFETCH(int, teams);
    QFETCH(int, groups);
    QFETCH(int, seeds);
    const QList<int> entries = firstEntries(teams);
    const QList<int> seeded = entries.mid(0, seeds);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        const QList<GroupSlot> draw = drawGroups(entries, groups, seeded, random);
        QCOMPARE(draw.size(), teams);
        QHash<QString, int> sizes, seedsIn;
        QSet<int> drawn;
        for (const GroupSlot& slot : draw) {
            ++sizes[slot.group];
            seedsIn[slot.group] += slot.seeded;
            QCOMPARE(slot.seeded, seeded.contains(slot.entry));
            drawn.insert(slot.entry);
        }
        QCOMPARE(drawn.size(), teams);
        QCOMPARE(sizes.size(), groups);
        const auto [smallest, largest] = std::minmax_element(sizes.cbegin(), sizes.cend());
        QVERIFY(*largest - *smallest <= 1);
        for (int group = 0; group < groups; ++group) {
            const int in = seedsIn.value(groupName(group));
            QVERIFY(in == seeds / groups || in == (seeds + groups - 1) / groups);
        }
    }
    QRandomGenerator one(7), two(7), three(8);
    QCOMPARE(drawGroups(entries, groups, seeded, one), drawGroups(entries, groups, seeded, two));
    if (seeds < teams - 1)
        QVERIFY(drawGroups(entries, groups, seeded, three) != drawGroups(entries, groups, seeded, one));
}

void TestCalendarMaking::storedDrawIsReused()
{
    Plan plan;
    plan.format = Format::Groups;
    plan.entries = firstEntries(9);
    plan.entryCount = 9;
    plan.groupCount = 2;
    QRandomGenerator random(3);
    const Made first = makeCalendar(plan, {}, random);
    QVERIFY(first.error.isEmpty());
    QVERIFY(!first.drawReused);

    QRandomGenerator other(99);
    plan.returnLeg = ReturnLeg::Mirrored;
    const Made again = makeCalendar(plan, first.calendar.draw, other);
    QVERIFY(again.drawReused);
    QCOMPARE(again.calendar.draw, first.calendar.draw);
    for (const QString& group : first.calendar.groups()) {
        const QList<int> members = groupEntries(first.calendar.draw, group);
        for (const Match& match : again.calendar.matches) {
            if (match.group == group)
                QVERIFY(members.contains(match.home) && (match.away == 0 || members.contains(match.away)));
        }
    }
    plan.groupCount = 3;
    QCOMPARE(makeCalendar(plan, first.calendar.draw, other).error, drawDiffersMessage(2));
}

void TestCalendarMaking::knockoutProperties_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<bool>("thirdPlace");
    for (int teams = 2; teams <= 17; ++teams) {
        QTest::addRow("%d teams", teams) << teams << false;
        QTest::addRow("%d teams, third place", teams) << teams << true;
    }
}

void TestCalendarMaking::knockoutProperties()
{
    QFETCH(int, teams);
    QFETCH(bool, thirdPlace);
    QList<KnockoutSlot> seeds;
    for (int entry : firstEntries(teams))
        seeds.append(KnockoutSlot{entry, {}});
    Calendar calendar;
    calendar.matches = knockout(seeds, thirdPlace);
    int places = 1;
    while (places < teams)
        places *= 2;
    const bool hasThird = thirdPlace && teams >= 4 && (places > 4 || teams == 4);
    QCOMPARE(calendar.matches.size(), teams - 1 + (hasThird ? 1 : 0));

    // The byes go to the best seeds: they appear first in the second round.
    QSet<int> inFirstRound;
    for (const Match& match : std::as_const(calendar.matches)) {
        if (match.round == 1) {
            inFirstRound.insert(match.home);
            inFirstRound.insert(match.away);
        }
    }
    const int byes = places - teams;
    for (int seed = 1; seed <= teams; ++seed)
        QCOMPARE(inFirstRound.contains(seed), seed > byes || places == teams);

    // Play it out: the home side always wins, after extra time and penalties in every other match.
    for (int guard = 0; guard < 64; ++guard) {
        QVERIFY(advanceWinners(calendar).isEmpty());
        Match* next = nullptr;
        for (Match& match : calendar.matches) {
            if (!match.hasResult() && match.home > 0 && match.away > 0) {
                next = &match;
                break;
            }
        }
        if (!next)
            break;
        if (next->number % 2 == 0) {
            played(calendar, next->number, 1, 0);
        } else {
            played(calendar, next->number, 2, 2);
            next->homeExtra = 0;
            next->awayExtra = 0;
            next->homePenalties = 5;
            next->awayPenalties = 3;
        }
    }
    for (const Match& match : std::as_const(calendar.matches))
        QVERIFY2(match.hasResult(), qPrintable(QStringLiteral("match %1 never played").arg(match.number)));
    const Match& final = calendar.matches.last();
    QCOMPARE(final.roundSize, 2);
    QCOMPARE(roundName(final), u"Finale"_qs);
    QCOMPARE(final.home, 1);  // the best seed won every match at home
    if (hasThird) {
        const Match& third = calendar.matches[calendar.matches.size() - 2];
        QCOMPARE(third.phase, Phase::ThirdPlace);
        QVERIFY(third.home > 0 && third.away > 0);
        QVERIFY(third.home != final.home && third.home != final.away);
    }
}

void TestCalendarMaking::winnersMoveOn()
{
    Calendar calendar;
    calendar.matches = knockout({{4, {}}, {2, {}}, {7, {}}, {1, {}}}, true);
    // 1: 4-1, 2: 2-7, 3: third place, 4: final
    QCOMPARE(calendar.matches.size(), 4);
    QCOMPARE(calendar.matches[3].homeSource, winnerOf(1));
    played(calendar, 1, 0, 1);
    Match& drawn = played(calendar, 2, 1, 1);
    QVERIFY(advanceWinners(calendar).isEmpty());
    QCOMPARE(calendar.match(4)->home, 1);
    QCOMPARE(calendar.match(3)->home, 4);
    QCOMPARE(calendar.match(4)->away, 0);  // drawn with no extra time or penalties: undecided

    drawn.homeExtra = 1;
    drawn.awayExtra = 1;
    drawn.homePenalties = 3;
    drawn.awayPenalties = 4;
    advanceWinners(calendar);
    QCOMPARE(calendar.match(4)->away, 7);
    QCOMPARE(calendar.match(3)->away, 2);

    // A semifinal changed after the final was played: the final is left as it is and reported,
    // the third place, not played yet, follows.
    played(calendar, 4, 2, 0);
    played(calendar, 1, 3, 0);
    QCOMPARE(advanceWinners(calendar), (QList<int>{4}));
    QCOMPARE(calendar.match(4)->home, 1);
    QCOMPARE(calendar.match(3)->home, 1);
}

void TestCalendarMaking::groupsThenKnockoutFillsFromStandings()
{
    Plan plan;
    plan.format = Format::GroupsThenKnockout;
    plan.entryCount = 9;
    plan.entries = firstEntries(9);
    plan.groupsByHand = {{u"A"_qs, 1, 1, false, 0}, {u"A"_qs, 2, 2, false, 0}, {u"A"_qs, 3, 3, false, 0},
                         {u"A"_qs, 4, 4, false, 0}, {u"A"_qs, 5, 5, false, 0}, {u"B"_qs, 6, 1, false, 0},
                         {u"B"_qs, 7, 2, false, 0}, {u"B"_qs, 8, 3, false, 0}, {u"B"_qs, 9, 4, false, 0}};
    plan.thirdPlace = false;
    QRandomGenerator random(1);
    Made made = makeCalendar(plan, {}, random);
    QVERIFY(made.error.isEmpty());
    Calendar& calendar = made.calendar;
    QList<Match> knockoutMatches;
    for (const Match& match : calendar.matches) {
        if (match.isKnockout())
            knockoutMatches.append(match);
    }
    QCOMPARE(knockoutMatches.size(), 3);
    QCOMPARE(knockoutMatches[0].homeSource, u"1\u00B0 girone A"_qs);
    QCOMPARE(knockoutMatches[0].awaySource, u"2\u00B0 girone B"_qs);
    QCOMPARE(knockoutMatches[1].homeSource, u"1\u00B0 girone B"_qs);
    QCOMPARE(knockoutMatches[0].round, 6);  // after five group rounds
    const QList<KnockoutSlot> threeGroups = groupQualifiers({u"A"_qs, u"B"_qs, u"C"_qs}, 2);
    QCOMPARE(threeGroups[3].source, u"2\u00B0 girone C"_qs);

    // The lower position always wins at home and away.
    for (Match& match : calendar.matches) {
        if (!match.isKnockout() && !match.isRest()) {
            match.status = Status::Giocata;
            (match.home < match.away ? match.homeGoals : match.awayGoals) = 2;
        }
    }
    fillFromGroups(calendar, 9);
    QCOMPARE(calendar.match(knockoutMatches[0].number)->home, 1);
    QCOMPARE(calendar.match(knockoutMatches[0].number)->away, 7);
    QCOMPARE(calendar.match(knockoutMatches[1].number)->home, 6);
    QCOMPARE(calendar.match(knockoutMatches[1].number)->away, 2);
}

void TestCalendarMaking::datesTimesAndFields()
{
    QList<Match> matches = roundRobin(firstEntries(5), ReturnLeg::None);
    Schedule plan;
    plan.first = QDate(2026, 6, 15);
    plan.daysBetween = 1;
    plan.times = *timesFromText(u"18:00, 19.30"_qs);
    plan.fields = {u"Campo 1"_qs};
    schedule(matches, plan);
    for (const Match& match : matches) {
        QCOMPARE(match.date, QDate(2026, 6, 14 + match.round));
        if (match.isRest()) {
            QVERIFY(match.field.isEmpty());
            continue;
        }
        QCOMPARE(match.field, u"Campo 1"_qs);
    }
    // Round 1: the rest, then two matches at 18:00 and 19:30.
    QCOMPARE(matches[1].time, QTime(18, 0));
    QCOMPARE(matches[2].time, QTime(19, 30));
    moveRound(matches, 2, QDate(2026, 7, 1));
    for (const Match& match : matches)
        QCOMPARE(match.date == QDate(2026, 7, 1), match.round == 2);
    QCOMPARE(timesFromText(u"25:00"_qs), std::nullopt);
    QCOMPARE(timesText(plan.times), u"18:00, 19:30"_qs);
}

void TestCalendarMaking::badPlansAreRefused_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QList<int>>("entries");
    QTest::addColumn<int>("groups");
    QTest::addColumn<QString>("error");
    QTest::newRow("one team") << int(Format::RoundRobin) << QList<int>{1} << 0 << tooFewTeamsMessage();
    QTest::newRow("no team") << int(Format::Knockout) << QList<int>{} << 0 << tooFewTeamsMessage();
    QTest::newRow("entry gone") << int(Format::RoundRobin) << QList<int>{1, 2, 12} << 0 << vanishedEntryMessage(12);
    QTest::newRow("groups too small") << int(Format::Groups) << QList<int>{1, 2, 3, 4, 5} << 3
                                      << groupsTooSmallMessage(5, 3);
}

void TestCalendarMaking::badPlansAreRefused()
{
    QFETCH(int, format);
    QFETCH(QList<int>, entries);
    QFETCH(int, groups);
    QFETCH(QString, error);
    Plan plan;
    plan.format = Format(format);
    plan.entries = entries;
    plan.entryCount = 10;
    plan.groupCount = groups;
    QRandomGenerator random(1);
    const Made made = makeCalendar(plan, {}, random);
    QCOMPARE(made.error, error);
    QVERIFY(made.calendar.matches.isEmpty());
}

QTEST_GUILESS_MAIN(TestCalendarMaking)
#include "tst_calendarmaking.moc"
