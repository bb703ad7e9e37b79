#include "common/Navigator.h"

#include "common/WorkScreen.h"

#include <QScreen>

void Navigator::add(Screen id, QWidget* screen) { m_screens.insert(id, screen); }

bool Navigator::has(Screen id) const { return screen(id) != nullptr; }

QWidget* Navigator::screen(Screen id) const { return m_screens.value(id).data(); }

void Navigator::go(Screen target, QWidget* from)
{
    QWidget* next = screen(target);
    if (!next)
        return;
    if (qobject_cast<WorkScreen*>(next)) {
        // The geometry too, for desktops whose window manager ignores the maximised state.
        if (const QScreen* screen = from ? from->screen() : next->screen())
            next->setGeometry(screen->availableGeometry());
        next->showMaximized();
    }
    else
        next->show();
    next->activateWindow();
    if (from && from != next)
        from->hide();
}
