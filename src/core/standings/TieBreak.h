#pragma once

#include <QList>
#include <QString>

// The criteria that settle a tie on points, in the order a tournament chooses.
namespace standings {

enum class Criterion {
    HeadToHeadPoints,          // points in the matches among the tied teams
    HeadToHeadGoalDifference,  // goal difference in those matches
    HeadToHeadGoalsScored,     // goals scored in those matches
    GoalDifference,
    GoalsScored,
    FewerConceded,
    Wins,
    FairPlay,                  // fewer fair-play points first
    DrawByLot,
};

inline constexpr Criterion AllCriteria[] = {
    Criterion::HeadToHeadPoints, Criterion::HeadToHeadGoalDifference, Criterion::HeadToHeadGoalsScored,
    Criterion::GoalDifference,   Criterion::GoalsScored,              Criterion::FewerConceded,
    Criterion::Wins,             Criterion::FairPlay,                 Criterion::DrawByLot,
};

// Whether the criterion is computed on the matches among the teams still level.
bool amongTied(Criterion criterion);

// The words the reasons use: "scontri diretti", "differenza reti"...
QString criterionName(Criterion criterion);

// The order of the Italian amateur leagues: head-to-head points, head-to-head goal difference,
// overall goal difference, goals scored, draw by lot.
QList<Criterion> defaultCriteria();

// Why a list cannot be used ("L'ordine dei criteri è vuoto.", a criterion given twice), or empty.
QString checkCriteria(const QList<Criterion>& criteria);

// The stored and typed form of a criterion: "punti-scontri", "sorteggio"...; `ok` false for a word
// that names none.
QString criterionKey(Criterion criterion);
Criterion criterionFromKey(const QString& key, bool* ok);

}  // namespace standings
