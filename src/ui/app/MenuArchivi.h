#pragma once

#include "common/WorkScreen.h"

class PictureButton;

// The teams-and-players menu: leads to the team or the player archive, or back to the launcher.
class TfrmMenuArchivi : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmMenuArchivi(Navigator& navigator);

protected:
    void showEvent(QShowEvent* event) override;
    void leave() override;

private:
    // Where closing the menu goes; back to the launcher unless an archive button was pressed.
    Screen m_route = Screen::Launcher;
    PictureButton* m_teams;
    PictureButton* m_players;
};
