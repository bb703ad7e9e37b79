#pragma once

#include "standings/StandingsScreen.h"

// The merit standings: every entry of the tournament, highest points first, numbered. The
// screen keeps the kind's find text from one opening to the next.
class TfrmExpClassifica : public StandingsScreen {
    Q_OBJECT
public:
    explicit TfrmExpClassifica(QWidget* owner = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};
