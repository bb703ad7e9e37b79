#pragma once

#include "teams/TeamList.h"

// The teams whose "Selezionata" mark is ticked; a double-click opens the team in the editor.
class TfrmSelezionate : public TeamList {
    Q_OBJECT
public:
    explicit TfrmSelezionate(QWidget* owner);
};
