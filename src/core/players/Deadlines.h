#pragma once

#include "players/ExpiryList.h"

#include <QDate>
#include <QString>

// The deadlines the launcher shows at a glance: how many membership cards and medical
// certificates have expired or expire soon, by the rules of the expiry lists.
namespace deadlines {

// How far ahead the launcher looks.
inline constexpr int horizonDays = 30;

struct Count {
    int expired = 0;
    int expiring = 0;
    int total() const { return expired + expiring; }
};

struct Counts {
    Count cards;
    Count certificates;
};

// Reads the player archive at `path` once for both dates, withdrawn players left out. A missing archive has no deadlines and
// is not created; an unreadable one counts what was read before the failure.
Counts count(const QString& path, const QDate& today, int horizon = horizonDays);

// "Tessere: 2 scadute, 1 in scadenza"; "Certificati medici: 1 scaduto".
QString text(expiryList::Kind kind, const Count& count);

}  // namespace deadlines
