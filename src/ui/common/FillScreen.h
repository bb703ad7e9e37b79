#pragma once

class QWidget;

// Gives a window that shows maximised the whole available area of the screen `near` is on (its
// own screen without one), for desktops whose window manager ignores the maximised state or
// that have no window manager at all.
void fillScreen(QWidget* window, const QWidget* near = nullptr);
