#pragma once

#include "output/ExportScreen.h"

// The tournament's entries exported to "Torneo.xls", the match lists left out.
class TfrmExpTorneo : public ExportScreen {
    Q_OBJECT
public:
    explicit TfrmExpTorneo(QWidget* owner = nullptr);

    // The tournament file the editor works on; the grid fills from it when the screen shows.
    void setTournament(const QString& path) { m_path = path; }

private:
    QString m_path;
};
