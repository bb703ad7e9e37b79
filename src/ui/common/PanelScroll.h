#pragma once

class QScrollArea;
class QWidget;

// A window's fixed-size panel, centred on the window's own background. Where the window is smaller
// than the panel (a small screen, a taskbar), the panel scrolls instead of being cut off, and the
// control that gets the keyboard focus is scrolled into view: nothing on it is out of reach. At
// the full size nothing scrolls and nothing moves. The scroll area is `scrPannello`.
namespace panelScroll {

QScrollArea* place(QWidget* window, QWidget* panel);

}  // namespace panelScroll
