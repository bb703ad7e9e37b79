#pragma once

#include <QList>

class PictureButton;
class QLabel;
class QWidget;

// The hint line at a screen's foot (`panInfo`): the mouse over a button writes the button's hint
// there; the mouse over the background, the panel or a decorative shape empties it; other
// controls leave it as it was.
namespace hintLine {

// `panInfo` is the line; `buttons` write their hint; `background` widgets empty it.
// Buttons must carry their hint before they are installed.
void install(QLabel* panInfo, const QList<PictureButton*>& buttons, const QList<QWidget*>& background);

// A control other than a picture button that writes `hint` (a check box, for example).
void addHint(QLabel* panInfo, QWidget* control, const QString& hint);

}  // namespace hintLine
