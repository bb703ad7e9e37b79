#pragma once

#include "output/SearchScreen.h"

// The player search: up to ten filters over the player archive; a double-click opens the player,
// with the photo, in the editor.
class TfrmTrovaGiocatori : public SearchScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaGiocatori(QWidget* owner);
};
