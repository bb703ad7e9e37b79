#pragma once

#include "output/RecordListScreen.h"
#include "players/ExpiryList.h"

class QLabel;
class QSpinBox;

// The players whose membership card or medical certificate has expired: one screen for both,
// told apart by their table. "In scadenza entro" adds the ones expiring within so many days (none
// by default). Each row says whether it has expired or is about to; under the list, how many of
// each, and how many records were left out for a date that cannot be read. A double-click hands
// the player's position to the editor (`recordOpened`).
class ExpiryListScreen : public RecordListScreen {
    Q_OBJECT
public:
    struct Kind {
        ListKind list;
        QString objectName;
        QString caption;
        expiryList::Kind tested;
    };

    int horizon() const;
    // How many days ahead the list opens with.
    void setHorizon(int days);

protected:
    ExpiryListScreen(QWidget* owner, const Kind& kind);

    void showEvent(QShowEvent* event) override;

private:
    // Reads the archive again, with today's date and the horizon shown. A failed reading is not
    // reported: the list keeps the players read before it.
    void fill();

    expiryList::Kind m_tested;
    QSpinBox* m_horizon;
    QLabel* m_count;
    QLabel* m_unreadable;
};

class TfrmTessereScadute : public ExpiryListScreen {
    Q_OBJECT
public:
    explicit TfrmTessereScadute(QWidget* owner);
};

class TfrmCertificatiScaduti : public ExpiryListScreen {
    Q_OBJECT
public:
    explicit TfrmCertificatiScaduti(QWidget* owner);
};
