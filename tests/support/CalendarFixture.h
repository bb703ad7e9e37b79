#pragma once

#include <QString>

// A tournament of nine teams with a calendar: Aquile, Bisonti and Cervi beat each other in turn
// (Cervi by a forfeit against Aquile, counted 3-0; a second Bisonti-Aquile annulled), the other
// six ("<script>" and "\"&'" among them) level at nothing; scorers in three of the matches.
namespace calendarFixture {

// Writes "path" and its calendar; false when the tournament file cannot be written.
bool writeTournament(const QString& path);

}  // namespace calendarFixture
