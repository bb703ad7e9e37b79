#include "matches/Plan.h"

#include "matches/Totals.h"

#include <QRegularExpression>

#include <algorithm>

namespace matches {

namespace {

QString qualifierSource(int place, const QString& group)
{
    return QStringLiteral("%1\u00B0 girone %2").arg(place).arg(group);
}

QStringList drawGroupNames(const QList<GroupSlot>& draw)
{
    QStringList names;
    for (const GroupSlot& slot : draw) {
        if (!names.contains(slot.group))
            names.append(slot.group);
    }
    return names;
}

}  // namespace

QString tooFewTeamsMessage()
{
    return QStringLiteral("Attenzione: per creare un calendario servono almeno due squadre.");
}

QString vanishedEntryMessage(int position)
{
    return QStringLiteral(
               "Attenzione: il calendario indica la squadra in posizione %1, che non \u00E8 presente nel torneo.")
        .arg(position);
}

QString groupsTooSmallMessage(int teams, int groups)
{
    return QStringLiteral("Attenzione: con %1 squadre non si possono formare %2 gironi di almeno due squadre.")
        .arg(teams)
        .arg(groups);
}

QString drawDiffersMessage(int storedGroups)
{
    return QStringLiteral(
               "Attenzione: il sorteggio dei gironi \u00E8 gi\u00E0 stato fatto (%1 gironi) e viene sempre "
               "riutilizzato. Per formare gironi diversi indicarli a mano.")
        .arg(storedGroups);
}

QList<KnockoutSlot> groupQualifiers(const QStringList& groups, int qualifiers)
{
    QList<KnockoutSlot> places;
    for (int place = 1; place <= qualifiers; ++place) {
        for (qsizetype i = 0; i < groups.size(); ++i) {
            // With an odd number of groups the bracket would pair a group's first and second unless
            // the seconds come the other way round.
            const bool reversed = place % 2 == 0 && groups.size() % 2 == 1;
            const QString& group = reversed ? groups[groups.size() - 1 - i] : groups[i];
            places.append({0, qualifierSource(place, group)});
        }
    }
    return places;
}

Made makeCalendar(const Plan& plan, const QList<GroupSlot>& storedDraw, QRandomGenerator& random, int lastNumber)
{
    Made made;
    made.calendar.rules = plan.rules;
    made.calendar.lastNumber = lastNumber;
    QList<int> entries;
    for (int entry : plan.entries) {
        if (entry < 1 || entry > plan.entryCount) {
            made.error = vanishedEntryMessage(entry);
            return made;
        }
        if (!entries.contains(entry))
            entries.append(entry);
    }
    const bool groups = plan.format == Format::Groups || plan.format == Format::GroupsThenKnockout;
    if (groups && !storedDraw.isEmpty()) {
        for (const GroupSlot& slot : storedDraw) {
            if (slot.entry < 1 || slot.entry > plan.entryCount) {
                made.error = vanishedEntryMessage(slot.entry);
                return made;
            }
        }
        if (drawGroupNames(storedDraw).size() != plan.groupCount && plan.groupsByHand.isEmpty()) {
            made.error = drawDiffersMessage(int(drawGroupNames(storedDraw).size()));
            return made;
        }
    }
    if (entries.size() < 2 && !(groups && !storedDraw.isEmpty())) {
        made.error = tooFewTeamsMessage();
        return made;
    }

    const int first = lastNumber + 1;
    QList<Match> matches;
    switch (plan.format) {
    case Format::RoundRobin:
        matches = roundRobin(entries, plan.returnLeg, first);
        break;
    case Format::Knockout: {
        QList<KnockoutSlot> seeds;
        for (int entry : std::as_const(entries))
            seeds.append(KnockoutSlot{entry, {}});
        matches = knockout(seeds, plan.thirdPlace, first);
        break;
    }
    case Format::Groups:
    case Format::GroupsThenKnockout: {
        QList<GroupSlot> draw;
        if (!plan.groupsByHand.isEmpty()) {
            draw = plan.groupsByHand;
        } else if (!storedDraw.isEmpty()) {
            draw = storedDraw;
            made.drawReused = true;
        } else {
            if (plan.groupCount < 1 || entries.size() < 2 * qsizetype(plan.groupCount)) {
                made.error = groupsTooSmallMessage(int(entries.size()), plan.groupCount);
                return made;
            }
            draw = drawGroups(entries, plan.groupCount, plan.seeds, random);
        }
        for (const QString& name : drawGroupNames(draw)) {
            if (groupEntries(draw, name).size() < 2) {
                made.error = groupsTooSmallMessage(int(draw.size()), int(drawGroupNames(draw).size()));
                return made;
            }
        }
        for (GroupSlot& slot : draw)
            slot.position = 0;
        made.calendar.draw = draw;
        matches = groupMatches(draw, plan.returnLeg, first);
        if (plan.format == Format::GroupsThenKnockout) {
            const int rounds = std::max_element(matches.cbegin(), matches.cend(), [](const Match& a, const Match& b) {
                                   return a.round < b.round;
                               })->round;
            const QStringList names = drawGroupNames(draw);
            int qualifiers = plan.qualifiers;
            for (const QString& name : names)
                qualifiers = std::min(qualifiers, int(groupEntries(draw, name).size()));
            const QList<KnockoutSlot> places = groupQualifiers(names, std::max(1, qualifiers));
            if (places.size() >= 2)
                matches += knockout(places, plan.thirdPlace, first + int(matches.size()), rounds + 1);
        }
        break;
    }
    }
    schedule(matches, plan.schedule);
    // The return leg begins with the first round of the second leg.
    for (const Match& match : std::as_const(matches)) {
        if (match.leg == 2 && match.date.isValid()
            && (!made.calendar.rules.returnLegFrom.isValid() || match.date < made.calendar.rules.returnLegFrom))
            made.calendar.rules.returnLegFrom = match.date;
    }
    made.calendar.matches = matches;
    for (const Match& match : std::as_const(matches))
        made.calendar.lastNumber = std::max(made.calendar.lastNumber, match.number);
    return made;
}

QList<int> fillFromGroups(Calendar& calendar, int entryCount, const Withdrawn& withdrawn)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)\u00B0 girone (.+)$"));
    QList<int> filled;
    QHash<QString, QList<int>> orders;  // finished groups, best first
    for (const QString& group : calendar.groups()) {
        Calendar one;
        one.rules = calendar.rules;
        bool finished = true;
        for (const Match& match : std::as_const(calendar.matches)) {
            if (match.group == group && !match.isKnockout()) {
                one.matches.append(match);
                finished = finished && !isPending(match, calendar.rules, withdrawn);
            }
        }
        if (!finished || one.matches.isEmpty())
            continue;
        for (const Deduction& deduction : std::as_const(calendar.deductions))
            one.deductions.append(deduction);
        const QList<EntryTotals> totals = entryTotals(one, entryCount, withdrawn);
        QList<int> order = groupEntries(calendar.draw, group);
        if (order.isEmpty()) {
            for (const Match& match : std::as_const(one.matches)) {
                for (int entry : {match.home, match.away}) {
                    if (entry > 0 && !order.contains(entry))
                        order.append(entry);
                }
            }
        }
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const EntryTotals& x = totals.value(a - 1);
            const EntryTotals& y = totals.value(b - 1);
            if (x.points() != y.points())
                return x.points() > y.points();
            if (x.goalDifference() != y.goalDifference())
                return x.goalDifference() > y.goalDifference();
            return x.goalsFor > y.goalsFor;
        });
        orders.insert(group, order);
    }
    for (Match& match : calendar.matches) {
        if (!match.isKnockout() || match.hasResult())
            continue;
        for (auto [entry, source] : {std::pair{&match.home, match.homeSource}, std::pair{&match.away, match.awaySource}}) {
            const QRegularExpressionMatch found = pattern.match(source);
            if (!found.hasMatch())
                continue;
            const QList<int> order = orders.value(found.captured(2));
            const int place = found.captured(1).toInt();
            const int wanted = place >= 1 && place <= order.size() ? order[place - 1] : 0;
            if (*entry != wanted) {
                *entry = wanted;
                if (!filled.contains(match.number))
                    filled.append(match.number);
            }
        }
    }
    return filled;
}

}  // namespace matches
