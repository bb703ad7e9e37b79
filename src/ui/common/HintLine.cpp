#include "common/HintLine.h"

#include "common/PictureButton.h"

#include <QEvent>
#include <QLabel>

namespace hintLine {
namespace {

// Writes its text into the line whenever the mouse moves over the watched widget; an empty text
// empties the line. Entering alone writes nothing: a screen that opens under a resting pointer
// gets an enter event, and its line keeps its resting text until the pointer moves.
class Writer final : public QObject {
public:
    Writer(QLabel* line, QWidget* watched, QString text)
        : QObject(watched)
        , m_line(line)
        , m_text(std::move(text))
    {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto type = event->type();
        if (type == QEvent::MouseMove || type == QEvent::HoverMove)
            m_line->setText(m_text);
        return false;
    }

private:
    QLabel* m_line;
    QString m_text;
};

}  // namespace

void addHint(QLabel* panInfo, QWidget* control, const QString& hint)
{
    // The widget behind the control must not empty the line again.
    control->setAttribute(Qt::WA_NoMousePropagation);
    new Writer(panInfo, control, hint);
}

void install(QLabel* panInfo, const QList<PictureButton*>& buttons, const QList<QWidget*>& background)
{
    for (PictureButton* button : buttons)
        addHint(panInfo, button, button->hint());
    for (QWidget* widget : background)
        new Writer(panInfo, widget, QString());
}

}  // namespace hintLine
