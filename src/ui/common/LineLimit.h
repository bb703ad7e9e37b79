#pragma once

class QLineEdit;
class QString;

// A one-line field that takes no more than its limit when typed into, yet shows whole a longer
// text the program puts in (a code handed to a checker, a points value whose normal form is
// longer): cut, it would show, and then be checked or saved as, another text. Once the text fits
// again, the limit holds.
namespace lineLimit {

void keep(QLineEdit* edit, int limit);
void showWhole(QLineEdit* edit, const QString& text);

}  // namespace lineLimit
