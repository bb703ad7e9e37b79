#include "standings/TieBreak.h"

#include <QSet>

namespace standings {
namespace {

struct Words {
    Criterion criterion;
    const char* key;
    const char16_t* name;
};

constexpr Words Table[] = {
    {Criterion::HeadToHeadPoints, "punti-scontri", u"scontri diretti"},
    {Criterion::HeadToHeadGoalDifference, "differenza-scontri", u"differenza reti negli scontri diretti"},
    {Criterion::HeadToHeadGoalsScored, "gol-scontri", u"gol fatti negli scontri diretti"},
    {Criterion::GoalDifference, "differenza-reti", u"differenza reti"},
    {Criterion::GoalsScored, "gol-fatti", u"gol fatti"},
    {Criterion::FewerConceded, "gol-subiti", u"gol subiti"},
    {Criterion::Wins, "vittorie", u"vittorie"},
    {Criterion::FairPlay, "coppa-disciplina", u"coppa disciplina"},
    {Criterion::DrawByLot, "sorteggio", u"sorteggio"},
};

const Words& words(Criterion criterion)
{
    return Table[int(criterion)];
}

}  // namespace

bool amongTied(Criterion criterion)
{
    return criterion == Criterion::HeadToHeadPoints || criterion == Criterion::HeadToHeadGoalDifference
           || criterion == Criterion::HeadToHeadGoalsScored;
}

QString criterionName(Criterion criterion)
{
    return QString::fromUtf16(words(criterion).name);
}

QList<Criterion> defaultCriteria()
{
    return {Criterion::HeadToHeadPoints, Criterion::HeadToHeadGoalDifference, Criterion::GoalDifference,
            Criterion::GoalsScored, Criterion::DrawByLot};
}

QString checkCriteria(const QList<Criterion>& criteria)
{
    if (criteria.isEmpty())
        return QStringLiteral("L'ordine dei criteri per gli arrivi a pari punti \u00E8 vuoto: indicare almeno un criterio.");
    QSet<Criterion> seen;
    for (Criterion criterion : criteria) {
        if (seen.contains(criterion))
            return QStringLiteral("Il criterio \"%1\" \u00E8 indicato pi\u00F9 volte nell'ordine per gli arrivi a pari punti.")
                .arg(criterionName(criterion));
        seen.insert(criterion);
    }
    return {};
}

QString criterionKey(Criterion criterion)
{
    return QString::fromLatin1(words(criterion).key);
}

Criterion criterionFromKey(const QString& key, bool* ok)
{
    for (const Words& entry : Table) {
        if (key == QLatin1String(entry.key)) {
            *ok = true;
            return entry.criterion;
        }
    }
    *ok = false;
    return Criterion::DrawByLot;
}

}  // namespace standings
