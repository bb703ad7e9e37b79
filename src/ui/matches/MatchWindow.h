#pragma once

#include <QString>

class QDialog;
class QLabel;
class QWidget;

// What the calendar's two windows share: maximised over the program's background with the fixed
// panel in the middle, the navy title at its top and the hint line at its foot.
namespace matchWindow {

struct Parts {
    QWidget* panel;
    QLabel* title;  // lblNome
    QLabel* info;   // panInfo
};

Parts place(QDialog* window, QWidget* owner, const QString& objectName, const QString& caption);

}  // namespace matchWindow
