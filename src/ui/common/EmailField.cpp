#include "common/EmailField.h"

#include "platform/TMisc.h"
#include "text/TextRules.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace emailField {

void attach(QLineEdit* field, QAbstractButton* sendButton)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
        const QString trimmed = trimControls(text);
        if (trimmed == text)
            return;
        // Keep the cursor where the user was typing, less what was cut in front of it.
        const qsizetype cutInFront = text.size() - trimControls(text + QLatin1Char('x')).size() + 1;
        const int cursor = field->cursorPosition();
        field->setText(trimmed);
        field->setCursorPosition(qBound(0, cursor - int(cutInFront), int(trimmed.size())));
    });
    QObject::connect(sendButton, &QAbstractButton::clicked, field, [field] {
        TMisc::Open(QStringLiteral("\"mailto:") + trimControls(field->text()) + QLatin1Char('"'));
    });
}

}  // namespace emailField
