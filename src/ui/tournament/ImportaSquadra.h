#pragma once

#include "teams/TeamList.h"

// Every team of the team archive; a double-click hands the team to the tournament entry editor,
// which copies its name, contact, phone and e-mail into the entry on screen.
class TfrmImportaSquadra : public TeamList {
    Q_OBJECT
public:
    explicit TfrmImportaSquadra(QWidget* owner);

Q_SIGNALS:
    // The team of the row double-clicked, as stored at its position.
    void teamChosen(const TeamRecord& team);
};
