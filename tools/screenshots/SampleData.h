#pragma once

#include <QString>

// The sample archives the guide's pictures show: one tournament, a few teams and players (the
// first with a photo and an attachment), written into the program folder in use.
namespace sampleData {

inline const QString tournamentName = QStringLiteral("Coppa Primavera 2026");

QString tournamentPath();
void write();

}  // namespace sampleData
