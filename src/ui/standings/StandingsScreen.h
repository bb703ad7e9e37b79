#pragma once

#include "output/RecordListScreen.h"
#include "standings/Standings.h"

class QLabel;

// What the two standings screens share: a maximised list under the standings title, "Trova",
// the total of the teams, printing with its question, help and "Esci".
class StandingsScreen : public RecordListScreen {
    Q_OBJECT
public:
    // The title the chooser writes ("Classifica di merito Coppa Estate").
    void setTitle(const QString& title);
    // The tournament file, as the chooser holds it.
    void setTournament(const QString& path) { m_tournament = path; }

protected:
    StandingsScreen(QWidget* owner, standings::Kind kind, const QString& objectName, const QString& caption);

    const QString& tournament() const { return m_tournament; }

    // Shows the rows and their number; a failed reading shows the total as 0.
    void showStandings(const standings::List& list);

private:
    void printStandings();

    const standings::Kind m_kind;
    QString m_tournament;
    QLabel* m_title;
    QLabel* m_total;
};
