#include "tools/CheckerDialog.h"

#include "common/Dialogs.h"
#include "common/LineLimit.h"
#include "common/Style.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

CheckerDialog::CheckerDialog(QWidget* owner, const Look& look)
    : QDialog(owner)
    , m_field(new QLineEdit(this))
    , m_check(new QPushButton(u"Controlla"_s, this))
{
    setObjectName(look.objectName);
    setWindowTitle(look.caption);
    dialogs::makeFixed(this, {470, 200});
    setStyleSheet(u"CheckerDialog { background-color: #F4F8FB; }"_s);

    QLabel* instruction = style::label(this, u"lblIstruzioni"_s, look.instruction, style::verdana(10, true), style::navy);
    instruction->setWordWrap(true);
    instruction->setGeometry(20, 14, 430, 44);

    m_field->setObjectName(look.fieldName);
    m_field->setFont(style::courierNew(20, true));
    // A caller's code longer than a code can be is shown whole, for the length warning.
    lineLimit::keep(m_field, look.maxLength);
    m_field->setAlignment(Qt::AlignCenter);
    m_field->setGeometry(20, 66, 430, 48);
    m_field->installEventFilter(this);

    m_check->setObjectName(u"btnControlla"_s);
    m_check->setGeometry(236, 140, 104, 34);
    connect(m_check, &QPushButton::clicked, this, &CheckerDialog::btnControllaClick);

    auto* close = new QPushButton(u"Chiudi"_s, this);
    close->setObjectName(u"btnChiudi"_s);
    close->setGeometry(346, 140, 104, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CheckerDialog::setText(const QString& text) { lineLimit::showWhole(m_field, text); }

void CheckerDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_field->setFocus(Qt::OtherFocusReason);
}

bool CheckerDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The check runs only from the button: Enter takes the user there.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_check->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CheckerDialog::btnControllaClick()
{
    if (check())
        accept();
    else
        m_field->setFocus(Qt::OtherFocusReason);
}
