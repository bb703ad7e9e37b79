#include "common/RecordForm.h"

#include "common/EnterChain.h"
#include "common/FocusHighlight.h"
#include "common/MultiLineField.h"
#include "storage/YesNo.h"
#include "text/TextRules.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

RecordForm::RecordForm(QWidget* panel, RecordFormat format, const QList<Row>& rows, const Look& look)
    : QObject(panel)
    , m_format(std::move(format))
    , m_rows(rows)
{
    for (const Row& row : m_rows) {
        Q_ASSERT_X(m_format.capacityOf(row.field) >= 0, "RecordForm", qPrintable(row.field));
        if (row.kind == Kind::Hidden) {
            m_hidden.insert(row.field, row.initial);
            continue;
        }
        if (!row.captionGeometry.isEmpty()) {
            auto* caption = new QLabel(row.caption, panel);
            caption->setFont(look.captionFont);
            caption->setStyleSheet(look.captionStyleSheet);
            caption->setAlignment(look.captionAlignment);
            caption->setGeometry(row.captionGeometry);
            m_captions.insert(row.name, caption);
        }
        m_controls.insert(row.name, makeControl(panel, row, look));
    }
    for (const Row& row : m_rows) {
        if (!row.enterTo.isEmpty() && m_controls.contains(row.name) && m_controls.contains(row.enterTo))
            enterChain::link({m_controls.value(row.name)}, m_controls.value(row.enterTo));
    }
    clear();
}

QWidget* RecordForm::makeControl(QWidget* panel, const Row& row, const Look& look)
{
    const int capacity = m_format.capacityOf(row.field);
    QWidget* control = nullptr;
    switch (row.kind) {
    case Kind::Line:
    case Kind::ReadOnly: {
        auto* edit = new QLineEdit(panel);
        edit->setMaxLength(capacity);
        edit->setReadOnly(row.kind == Kind::ReadOnly);
        focusHighlight::applyFormA(edit);
        applyRule(edit, row.rule);
        control = edit;
        break;
    }
    case Kind::MultiLine: {
        auto* box = new QPlainTextEdit(panel);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setTabChangesFocus(true);
        multiLineField::limit(box, capacity);
        control = box;
        break;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(row.caption, panel);
        box->setCursor(Qt::PointingHandCursor);
        control = box;
        break;
    }
    case Kind::Hidden:
        Q_UNREACHABLE();
    }
    control->setObjectName(row.name);
    control->setFont(look.fieldFont);
    control->setGeometry(row.geometry);
    return control;
}

void RecordForm::applyRule(QLineEdit* edit, TextRule rule)
{
    switch (rule) {
    case TextRule::AsTyped:
        break;
    case TextRule::Trim:
        connect(edit, &QLineEdit::editingFinished, edit, [edit] {
            const QString trimmed = trimControls(edit->text());
            if (trimmed != edit->text())
                edit->setText(trimmed);
        });
        break;
    case TextRule::Capitals:
        // Trimmed as well: a code or a sign letter never has blanks around it. Only a to z change.
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            const QString upper = upperAsciiLetters(trimControls(text));
            if (upper == text)
                return;
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(std::min<int>(cursor, upper.size()));
        });
        break;
    case TextRule::Digits:
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        focusHighlight::selectAllOnFocus(edit);
        break;
    }
}

void RecordForm::fill(const RecordValues& values)
{
    // As stored: no trimming and no rules until the user leaves a field.
    for (const Row& row : m_rows) {
        const QString value = values.value(row.field);
        QWidget* widget = m_controls.value(row.name);
        switch (row.kind) {
        case Kind::Line:
        case Kind::ReadOnly: {
            auto* edit = static_cast<QLineEdit*>(widget);
            edit->setText(value);
            edit->home(false);  // a text longer than the field shows its beginning
            break;
        }
        case Kind::MultiLine:
            static_cast<QPlainTextEdit*>(widget)->setPlainText(multiLineField::fromStored(value));
            break;
        case Kind::CheckBox:
            switch (yesNoFromText(value)) {
            case YesNo::Yes:
                static_cast<QCheckBox*>(widget)->setChecked(true);
                break;
            case YesNo::No:
                static_cast<QCheckBox*>(widget)->setChecked(false);
                break;
            case YesNo::Neither:
                break;
            }
            break;
        case Kind::Hidden:
            m_hidden.insert(row.field, value);
            break;
        }
    }
}

RecordValues RecordForm::values() const
{
    RecordValues values;
    for (const Row& row : m_rows) {
        QWidget* widget = m_controls.value(row.name);
        switch (row.kind) {
        case Kind::Line:
        case Kind::ReadOnly:
            values.insert(row.field, static_cast<QLineEdit*>(widget)->text());
            break;
        case Kind::MultiLine:
            values.insert(row.field, multiLineField::toStored(static_cast<QPlainTextEdit*>(widget)->toPlainText()));
            break;
        case Kind::CheckBox:
            values.insert(row.field, yesNoText(static_cast<QCheckBox*>(widget)->isChecked()));
            break;
        case Kind::Hidden:
            values.insert(row.field, m_hidden.value(row.field));
            break;
        }
    }
    return values;
}

void RecordForm::clear()
{
    for (const Row& row : m_rows) {
        QWidget* widget = m_controls.value(row.name);
        switch (row.kind) {
        case Kind::Line:
        case Kind::ReadOnly: {
            auto* edit = static_cast<QLineEdit*>(widget);
            edit->setMaxLength(m_format.capacityOf(row.field));
            edit->setText(row.initial);
            break;
        }
        case Kind::MultiLine:
            static_cast<QPlainTextEdit*>(widget)->setPlainText(row.initial);
            break;
        case Kind::CheckBox:
            static_cast<QCheckBox*>(widget)->setChecked(false);
            break;
        case Kind::Hidden:
            m_hidden.insert(row.field, row.initial);
            break;
        }
    }
}

void RecordForm::setReadOnly(bool readOnly)
{
    for (const Row& row : m_rows) {
        QWidget* widget = m_controls.value(row.name);
        switch (row.kind) {
        case Kind::Line:
            static_cast<QLineEdit*>(widget)->setReadOnly(readOnly);
            break;
        case Kind::MultiLine:
            static_cast<QPlainTextEdit*>(widget)->setReadOnly(readOnly);
            break;
        case Kind::CheckBox:
            widget->setEnabled(!readOnly);
            break;
        case Kind::ReadOnly:
        case Kind::Hidden:
            break;
        }
    }
}

QWidget* RecordForm::firstControl() const
{
    for (const Row& row : m_rows) {
        if (QWidget* widget = m_controls.value(row.name))
            return widget;
    }
    return nullptr;
}

void RecordForm::setHidden(const QString& field, const QString& value)
{
    if (m_hidden.contains(field))
        m_hidden.insert(field, value);
}
