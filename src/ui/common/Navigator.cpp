#include "common/Navigator.h"

#include "common/FillScreen.h"
#include "common/WorkScreen.h"


void Navigator::add(Screen id, QWidget* screen) { m_screens.insert(id, {screen, {}}); }

void Navigator::add(Screen id, std::function<QWidget*()> make) { m_screens.insert(id, {nullptr, std::move(make)}); }

bool Navigator::has(Screen id) const
{
    const auto found = m_screens.constFind(id);
    return found != m_screens.cend() && (found->screen || found->make);
}

QWidget* Navigator::screen(Screen id)
{
    const auto found = m_screens.constFind(id);
    if (found == m_screens.cend())
        return nullptr;
    if (found->screen || !found->make)
        return found->screen.data();
    // The new screen may itself register screens, so the table is looked up again afterwards.
    const std::function<QWidget*()> make = found->make;
    QWidget* made = make();
    m_screens[id].screen = made;
    return made;
}

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
