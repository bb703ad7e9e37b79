#include "common/Navigator.h"

#include "common/FillScreen.h"
#include "common/WorkScreen.h"

void Navigator::add(Screen id, QWidget* screen) { m_screens.insert(id, screen); }

bool Navigator::has(Screen id) const { return screen(id) != nullptr; }

QWidget* Navigator::screen(Screen id) const { return m_screens.value(id).data(); }

void Navigator::go(Screen target, QWidget* from)
{
    QWidget* next = screen(target);
    if (!next)
        return;
    if (qobject_cast<WorkScreen*>(next)) {
        fillScreen(next, from);
        next->showMaximized();
    }
    else
        next->show();
    next->activateWindow();
    if (from && from != next)
        from->hide();
}
