#pragma once

#include "output/SearchScreen.h"

// The search of the open tournament's entries by up to six filters; a double-click hands the
// entry's position to the editor (`recordOpened`).
class TfrmTrovaPagina : public SearchScreen {
    Q_OBJECT
public:
    explicit TfrmTrovaPagina(QWidget* owner = nullptr);

    // The tournament file the editor works on.
    void setTournament(const QString& path) { m_path = path; }

private:
    QString m_path;
};
