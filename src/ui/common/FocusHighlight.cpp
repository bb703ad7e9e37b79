#include "common/FocusHighlight.h"

#include <QAbstractSpinBox>
#include <QColor>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>
#include <QTimer>

namespace focusHighlight {
namespace {

QString formAStyle(unsigned fillArgb)
{
    return QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; padding: 1px 3px; }")
        .arg(QColor::fromRgba(fillArgb).name(), QColor::fromRgba(borderArgb).name());
}

class FormA final : public QObject {
public:
    explicit FormA(QLineEdit* field)
        : QObject(field)
    {
        field->setStyleSheet(formAStyle(lightArgb));
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::FocusIn)
            field->setStyleSheet(formAStyle(yellowArgb));
        else if (event->type() == QEvent::FocusOut)
            field->setStyleSheet(formAStyle(lightArgb));
        return false;
    }
};

class FormB final : public QObject {
public:
    FormB(QLineEdit* field, QWidget* marker)
        : QObject(field)
        , m_marker(marker)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = static_cast<QLineEdit*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
            m_marker->show();
            break;
        case QEvent::FocusOut:
            m_marker->hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            place(field);
            break;
        default:
            break;
        }
        return false;
    }

public:
    void place(QLineEdit* field)
    {
        m_marker->setGeometry(field->geometry().adjusted(-4, -4, 4, 4));
        m_marker->stackUnder(field);
    }

private:
    QWidget* m_marker;
};

class SelectAll final : public QObject {
public:
    explicit SelectAll(QWidget* field)
        : QObject(field)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A context menu coming back is no new arrival.
        if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // After the click that brought the focus has placed the cursor.
            QTimer::singleShot(0, watched, [watched] {
                if (auto* edit = qobject_cast<QLineEdit*>(watched))
                    edit->selectAll();
                else if (auto* spin = qobject_cast<QAbstractSpinBox*>(watched))
                    spin->selectAll();
            });
        }
        return false;
    }
};

}  // namespace

void selectAllOnFocus(QWidget* field) { new SelectAll(field); }

void applyFormA(QLineEdit* field) { new FormA(field); }

QWidget* applyFormB(QLineEdit* field, const QString& effName)
{
    auto* marker = new QFrame(field->parentWidget());
    marker->setObjectName(effName);
    marker->setStyleSheet(QStringLiteral("background-color: %1; border-radius: 4px;")
                              .arg(QColor::fromRgba(yellowArgb).name()));
    marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker->hide();
    auto* filter = new FormB(field, marker);
    filter->place(field);
    return marker;
}

}  // namespace focusHighlight
