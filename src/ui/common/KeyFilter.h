#pragma once

#include <QChar>

#include <functional>

class QKeyEvent;
class QLineEdit;

// Fields that take only some characters (points, counts, VAT numbers): Enter, Backspace, Delete and
// the left and right arrows always pass; a typed character passes only when `allowed` accepts it.
// True means the key is swallowed. Shortcuts never arrive here as key presses: the editors' take
// them first.
namespace keyFilter {

bool refuses(const QKeyEvent* key, const std::function<bool(QChar)>& allowed);

// The same for a field that also takes every editing key (Home, End, Shift with the arrows, select
// all, copy, cut, undo) and Tab / Shift+Tab, and where a character may stand for another (a point
// typed into the points field is its decimal comma): `typedAs` gives the character the field
// takes, or a null QChar to refuse it. A replaced character is put into `field` here, and the key
// swallowed.
bool filter(QLineEdit* field, const QKeyEvent* key, const std::function<QChar(QChar)>& typedAs);

bool isDigit(QChar c);

}  // namespace keyFilter
