#pragma once

#include <functional>

class QChar;
class QKeyEvent;

// Fields that take only some characters (points, counts, VAT numbers): the editing keys and Enter
// always pass; a typed character passes only when `allowed` accepts it. True means the key is
// swallowed. Shortcuts never arrive here as key presses: the editors' take them first.
namespace keyFilter {

bool refuses(const QKeyEvent* key, const std::function<bool(QChar)>& allowed);

bool isDigit(QChar c);

}  // namespace keyFilter
