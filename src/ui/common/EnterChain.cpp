#include "common/EnterChain.h"

#include <QKeyEvent>
#include <QWidget>

namespace enterChain {
namespace {

class Step final : public QObject {
public:
    Step(QWidget* field, QWidget* next)
        : QObject(field)
        , m_next(next)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent*>(event)->key()))
            return false;
        m_next->setFocus(Qt::OtherFocusReason);
        return true;
    }

private:
    QWidget* m_next;
};

}  // namespace

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void link(const QList<QWidget*>& fields, QWidget* wrapTo)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        new Step(fields[i], i + 1 < fields.size() ? fields[i + 1] : wrapTo);
}

}  // namespace enterChain
