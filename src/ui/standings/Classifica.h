#pragma once

#include "standings/StandingsScreen.h"

class QLabel;

// The alphabetical standings: the entries that have points, in the order of the team names.
class TfrmClassifica : public StandingsScreen {
    Q_OBJECT
public:
    explicit TfrmClassifica(QWidget* owner = nullptr);

    // The tournament file, kept in the screen's hidden lblFile.
    void setTournament(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_file;
};
