#include "common/KeyFilter.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

namespace keyFilter {

namespace {

// The keys every filtered field lets through.
bool isBasicKey(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

// The rest of the editing keys, and Tab, for the fields that take them too (the points).
bool isEditingKey(const QKeyEvent* key)
{
    if (isBasicKey(key))
        return true;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        break;
    }
    // Paste is not among them: it would bring in characters the field refuses.
    for (const QKeySequence::StandardKey editing :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo}) {
        if (key->matches(editing))
            return true;
    }
    return false;
}

// A typed character: refused, taken as it is, or taken as another (put into `field` here).
bool typed(QLineEdit* field, const QKeyEvent* key, const std::function<QChar(QChar)>& typedAs)
{
    const QString text = key->text();
    if (text.size() != 1)
        return true;
    const QChar taken = typedAs(text.front());
    if (taken.isNull())
        return true;
    if (taken == text.front())
        return false;
    if (field)
        field->insert(QString(taken));
    return true;
}

}  // namespace

bool refuses(const QKeyEvent* key, const std::function<bool(QChar)>& allowed)
{
    return !isBasicKey(key) && typed(nullptr, key, [&allowed](QChar c) { return allowed(c) ? c : QChar(); });
}

bool filter(QLineEdit* field, const QKeyEvent* key, const std::function<QChar(QChar)>& typedAs)
{
    return !isEditingKey(key) && typed(field, key, typedAs);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace keyFilter
