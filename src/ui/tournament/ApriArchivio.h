#pragma once

#include "common/WorkScreen.h"

class TournamentList;

// Lists the tournaments of the program folder, opens the chosen one in the entry editor or
// deletes it. The list is rebuilt every time the screen is shown.
class TfrmApriArchivio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmApriArchivio(Navigator& navigator);

protected:
    void showEvent(QShowEvent* event) override;
    void leave() override;

private:
    // Where closing the screen goes: back to the launcher, or on to the chosen tournament.
    enum class Route { Launcher, Editor };

    void btnApriClick();
    void btnEliminaClick();

    TournamentList* m_tournaments;
    Route m_route = Route::Launcher;
};
