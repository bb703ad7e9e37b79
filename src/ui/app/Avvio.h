#pragma once

#include "common/WorkScreen.h"
#include "players/Deadlines.h"

class PictureButton;
class QLabel;
class QPushButton;
class QThread;

// The launcher: the hub from which the four work areas open. Closing it ends the program. Under
// its title it shows, when there are any, the membership cards and medical certificates that
// have expired or expire within 30 days; a click on either opens its list in the player archive.
class TfrmAvvio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(Navigator& navigator);
    ~TfrmAvvio() override;

    // True while the deadlines are being counted.
    bool isCounting() const { return m_counting != nullptr; }

Q_SIGNALS:
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void leave() override;

private:
    // Counts the deadlines away from the window, which shows at once; the line follows.
    void countDeadlines();
    void showDeadlines(const deadlines::Counts& counts);
    void openExpiryList(expiryList::Kind kind);

    struct Area {
        Screen screen;
        PictureButton* tile;
        PictureButton* caption;
    };
    QList<Area> m_areas;
    QWidget* m_deadlines;
    QPushButton* m_cards;
    QPushButton* m_certificates;
    QThread* m_counting = nullptr;
};
