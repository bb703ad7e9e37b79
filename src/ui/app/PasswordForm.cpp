#include "app/PasswordForm.h"

#include "text/TextRules.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

namespace passwordForm {
namespace {

// Re-checks the button after every change of text and every key release in the fields.
class OkEnabler final : public QObject {
public:
    OkEnabler(QAbstractButton* ok, QList<QLineEdit*> fields)
        : QObject(ok)
        , m_ok(ok)
        , m_fields(std::move(fields))
    {
        for (QLineEdit* field : m_fields) {
            field->installEventFilter(this);
            connect(field, &QLineEdit::textChanged, this, &OkEnabler::update);
        }
        update();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease)
            update();
        return false;
    }

private:
    void update()
    {
        bool filled = true;
        for (QLineEdit* field : m_fields)
            filled = filled && !trimControls(field->text()).isEmpty();
        m_ok->setEnabled(filled);
    }

    QAbstractButton* m_ok;
    QList<QLineEdit*> m_fields;
};

}  // namespace

void makeFixedWindow(QWidget* window, QSize size)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setFixedSize(size);
    if (const QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
}

void setUpField(QLineEdit* field, const QString& objectName, const QFont& font)
{
    field->setObjectName(objectName);
    field->setEchoMode(QLineEdit::Password);
    field->setFont(font);
    field->setMaxLength(32767);
}

void enableWhileFilled(QAbstractButton* ok, const QList<QLineEdit*>& fields)
{
    new OkEnabler(ok, fields);
}

}  // namespace passwordForm
