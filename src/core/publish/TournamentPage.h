#pragma once

#include "matches/CalendarFile.h"
#include "publish/Ics.h"
#include "publish/PublishedPage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// A tournament's page made from its calendar: standings of every group, the matches by round, the
// bracket, the top scorers and the calendar file, published into a folder all or nothing.
namespace publish {

inline const QString CalendarFileName = QStringLiteral("calendario.ics");

// Withdrawn entries are left out of the standings and their matches count as the tournament's
// rule says.
Page tournamentPage(const QString& tournamentName, const matches::Calendar& calendar, const QStringList& names,
                    const QDateTime& now, const matches::Withdrawn& withdrawn = {});

// One event per match with a day and both teams known; each keeps its identifier from one
// publication to the next.
QList<ics::Event> matchEvents(const QString& tournamentName, const matches::Calendar& calendar, const QStringList& names);

// Writes index.html, its stylesheet and calendario.ics into `folder` (a new folder beside the
// old one, then swapped). False with `error` (Italian) when nothing was published.
bool publishTournament(const QString& tournamentPath, const matches::StoredCalendar& stored, const QStringList& names,
                       const QString& folder, const QDateTime& now, QString* error);

}  // namespace publish
