#pragma once

#include "output/SearchScreen.h"

// The team search: up to ten filters over the team archive; a double-click opens the team in the
// editor.
class TfrmTrovaSquadre : public SearchScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaSquadre(QWidget* owner);
};
