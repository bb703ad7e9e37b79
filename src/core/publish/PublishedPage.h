#pragma once

#include "standings/CompleteStandings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The page a tournament publishes: one HTML file that any browser opens without a server, no
// script, readable on a phone as on a desktop and printed as it is, and the stylesheet beside it.
namespace publish {

struct StandingsSection {
    QString group;  // empty: the only table
    standings::StandingsTable table;
};

struct MatchLine {
    QString date;
    QString time;
    QString field;
    QString home;
    QString away;
    QString result;  // "2-1", or empty before the match
    QString status;  // "rinviata"...; empty for a match played or to play as planned
};

struct RoundSection {
    QString title;  // "Giornata 3 — girone A", "Semifinali"
    QList<MatchLine> matches;
};

struct ScorerLine {
    QString player;
    QString team;
    int goals = 0;
};

struct Page {
    QString tournament;
    QString updated;  // "aggiornata il 12/01/2027 alle 18:40"
    QList<StandingsSection> standings;
    QList<RoundSection> rounds;
    QList<RoundSection> bracket;
    QList<ScorerLine> scorers;
    QString calendarFile;  // the .ics beside the page
};

inline const QString PageName = QStringLiteral("index.html");
inline const QString StylesheetName = QStringLiteral("stile.css");

// The page, UTF-8. Every text is escaped, so whatever a name holds shows as typed.
QByteArray html(const Page& page);
QByteArray stylesheet();

// `<`, `>`, `&`, `"` and `'` as character references.
QString escape(const QString& text);

}  // namespace publish
