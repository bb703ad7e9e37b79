#pragma once

#include "common/WorkScreen.h"
#include "standings/Standings.h"

class QLabel;
class TournamentList;

// The standings chooser: lists the tournaments of the program folder and opens the merit or the
// alphabetical standings of the one selected.
class TfrmApriClassifica : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmApriClassifica(Navigator& navigator);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openStandings(standings::Kind kind);
    void openCompleteStandings();

    TournamentList* m_tournaments;
    QLabel* m_file;
};
