#include "matches/Groups.h"

#include <QStringList>

#include <algorithm>

namespace matches {

QString groupName(int index)
{
    QString name;
    for (int i = index;; i = i / 26 - 1) {
        name.prepend(QChar(u'A' + i % 26));
        if (i < 26)
            break;
    }
    return name;
}

QList<GroupSlot> drawGroups(const QList<int>& entries, int groupCount, const QList<int>& seeds,
                            QRandomGenerator& random)
{
    QList<GroupSlot> draw;
    if (groupCount < 1)
        return draw;
    QList<QList<GroupSlot>> groups(groupCount);
    const auto put = [&](int group, int entry, bool seeded) {
        groups[group].append({groupName(group), entry, int(groups[group].size()) + 1, seeded, 0});
    };
    int next = 0;
    QList<int> others;
    for (int entry : entries) {
        if (!seeds.contains(entry))
            others.append(entry);
    }
    for (int seed : seeds) {
        if (!entries.contains(seed))
            continue;
        put(next, seed, true);
        next = (next + 1) % groupCount;
    }
    for (qsizetype i = others.size() - 1; i > 0; --i)
        std::swap(others[i], others[random.bounded(int(i) + 1)]);
    for (int entry : std::as_const(others)) {
        // The smallest group, the first of equals from where the seeds stopped.
        int smallest = next;
        for (int k = 0; k < groupCount; ++k) {
            const int g = (next + k) % groupCount;
            if (groups[g].size() < groups[smallest].size())
                smallest = g;
        }
        put(smallest, entry, false);
        next = (smallest + 1) % groupCount;
    }
    for (const QList<GroupSlot>& group : std::as_const(groups))
        draw += group;
    return draw;
}

QList<int> groupEntries(const QList<GroupSlot>& draw, const QString& group)
{
    QList<GroupSlot> places;
    for (const GroupSlot& slot : draw) {
        if (slot.group == group)
            places.append(slot);
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const GroupSlot& a, const GroupSlot& b) { return a.order < b.order; });
    QList<int> entries;
    for (const GroupSlot& slot : std::as_const(places))
        entries.append(slot.entry);
    return entries;
}

QList<Match> groupMatches(const QList<GroupSlot>& draw, ReturnLeg returnLeg, int firstNumber)
{
    QStringList names;
    for (const GroupSlot& slot : draw) {
        if (!names.contains(slot.group))
            names.append(slot.group);
    }
    QList<Match> all;
    for (const QString& name : std::as_const(names))
        all += roundRobin(groupEntries(draw, name), returnLeg, 1, 1, name);
    // Round by round, then group by group, so that numbers follow the days.
    std::stable_sort(all.begin(), all.end(), [](const Match& a, const Match& b) { return a.round < b.round; });
    int number = firstNumber;
    for (Match& match : all)
        match.number = number++;
    return all;
}

}  // namespace matches
