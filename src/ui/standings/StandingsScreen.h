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

protected:
    StandingsScreen(QWidget* owner, standings::Kind kind, const QString& objectName, const QString& caption);

    // Shows the rows and their number; a failed reading shows the total as 0.
    void showStandings(const standings::List& list);

private:
    void printStandings();

    const standings::Kind m_kind;
    QLabel* m_title;
    QLabel* m_total;
};
