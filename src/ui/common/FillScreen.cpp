#include "common/FillScreen.h"

#include <QScreen>
#include <QWidget>

void fillScreen(QWidget* window, const QWidget* near)
{
    if (const QScreen* screen = near ? near->screen() : window->screen())
        window->setGeometry(screen->availableGeometry());
}
