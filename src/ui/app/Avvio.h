#pragma once

#include "common/WorkScreen.h"

class PictureButton;

// The launcher: the hub from which the four work areas open. Closing it ends the program.
class TfrmAvvio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(Navigator& navigator);

Q_SIGNALS:
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void leave() override;

private:
    struct Area {
        Screen screen;
        PictureButton* tile;
        PictureButton* caption;
    };
    QList<Area> m_areas;
};
