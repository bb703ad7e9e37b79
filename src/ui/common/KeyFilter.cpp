#include "common/KeyFilter.h"

#include <QKeyEvent>

namespace keyFilter {

bool refuses(const QKeyEvent* key, const std::function<bool(QChar)>& allowed)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    return !(text.size() == 1 && allowed(text.front()));
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace keyFilter
