#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// How an edit field shows that it has the focus.
namespace focusHighlight {

// Form A (record editors, create-tournament screen): the field's own background turns yellow
// while it has the focus and light otherwise, inside a sky-blue border.
void applyFormA(QLineEdit* field);

// Form B (login, change-password and search screens): a hidden yellow rectangle named `effName`
// lies behind the field and shows while the field has the focus. Returns the rectangle.
QWidget* applyFormB(QLineEdit* field, const QString& effName);

// Count fields: the whole text is selected when the field gets the focus, by the keyboard or by a
// click, so that typing replaces it ("0" then 2 gives 2, not 20). Works on line edits and spin
// boxes.
void selectAllOnFocus(QWidget* field);

inline constexpr unsigned lightArgb = 0xFFF0F8FF;
inline constexpr unsigned yellowArgb = 0xFFFFFF00;
inline constexpr unsigned borderArgb = 0xFF87CEEB;

}  // namespace focusHighlight
