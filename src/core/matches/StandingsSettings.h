#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a calendar keeps for its complete standings: the order of the tie-break criteria and the
// deciding places, the draws by lot once made, the scorers entered with the results, and the
// fair-play points of each team in each match.
namespace matches {

struct TieBreakSettings {
    QStringList criteria;      // the criteria's keys in order; empty: the default order
    QList<int> decidingPlaces; // places that decide promotion or qualification
    qint64 position = 0;

    bool isDefault() const { return criteria.isEmpty() && decidingPlaces.isEmpty(); }
    friend bool operator==(const TieBreakSettings&, const TieBreakSettings&) = default;
};

// A draw by lot among teams level on everything else, made once and kept.
struct StoredLot {
    QString group;
    QList<int> order;  // entry positions, first drawn first
    qint64 position = 0;

    friend bool operator==(const StoredLot&, const StoredLot&) = default;
};

struct Scorer {
    int match = 0;
    int entry = 0;          // the team the goals count for
    QString player;         // as chosen from the player archive or typed
    int goals = 1;
    qint64 playerRecord = 0;  // the player's record in the player archive; 0 when typed
    qint64 position = 0;

    friend bool operator==(const Scorer&, const Scorer&) = default;
};

struct FairPlayPoints {
    int match = 0;
    int entry = 0;
    int points = 0;  // fewer is better
    qint64 position = 0;

    friend bool operator==(const FairPlayPoints&, const FairPlayPoints&) = default;
};

}  // namespace matches
