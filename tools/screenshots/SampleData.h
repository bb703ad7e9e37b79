#pragma once

#include <QString>

// The sample archives the guide's pictures show: one tournament, a few teams and players (the
// first with a photo and an attachment), written into the program folder in use.
namespace sampleData {

inline const QString tournamentName = QStringLiteral("Coppa Primavera 2026");

QString tournamentPath();
// A season's list of players as a club might receive it, for the import window: two of the
// mandatory columns are missing, and one row has more faults.
QString playerSheetPath();
void write();

}  // namespace sampleData
