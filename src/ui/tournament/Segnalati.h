#pragma once

#include "output/RecordListScreen.h"

// The entries of the open tournament not marked as completed: the teams with matches still to
// play. A double-click hands the entry's position to the editor (`recordOpened`).
class TfrmSegnalati : public RecordListScreen {
    Q_OBJECT
public:
    explicit TfrmSegnalati(QWidget* owner = nullptr);

    // The tournament file the editor works on; the list fills from it when the screen shows.
    void setTournament(const QString& path) { m_path = path; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill();

    QString m_path;
};
