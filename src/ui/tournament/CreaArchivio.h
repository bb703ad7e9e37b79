#pragma once

#include "common/WorkScreen.h"

class QLineEdit;

// Creates a new, empty tournament file from a name; the tournament is then opened from the list
// of existing tournaments.
class TfrmCreaArchivio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmCreaArchivio(Navigator& navigator);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void btnApplicaClick();

    QLineEdit* m_txtFile;
};
