#include "common/HintLine.h"

#include "common/PictureButton.h"

#include <QEvent>
#include <QLabel>

namespace hintLine {
namespace {

class Writer final : public QObject {
public:
    Writer(QLabel* line, QWidget* watched, bool empties)
        : QObject(watched)
        , m_line(line)
        , m_empties(empties)
    {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto type = event->type();
        if (type != QEvent::MouseMove && type != QEvent::Enter && type != QEvent::HoverMove)
            return false;
        if (m_empties)
            m_line->clear();
        else if (auto* button = qobject_cast<PictureButton*>(watched))
            m_line->setText(button->hint());
        return false;
    }

private:
    QLabel* m_line;
    bool m_empties;
};

}  // namespace

void install(QLabel* panInfo, const QList<PictureButton*>& buttons, const QList<QWidget*>& background)
{
    for (PictureButton* button : buttons)
        new Writer(panInfo, button, false);
    for (QWidget* widget : background)
        new Writer(panInfo, widget, true);
}

}  // namespace hintLine
