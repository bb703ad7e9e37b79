#pragma once

#include "standings/StandingsScreen.h"

class QLabel;

// The alphabetical standings: the entries that have points, in the order of the team names.
class TfrmClassifica : public StandingsScreen {
    Q_OBJECT
public:
    explicit TfrmClassifica(QWidget* owner = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_file;  // the tournament file, hidden
};
