#include "common/LineLimit.h"

#include <QLineEdit>

namespace lineLimit {

void keep(QLineEdit* edit, int limit)
{
    edit->setMaxLength(limit);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit](const QString& text) {
        if (text.size() <= limit && edit->maxLength() != limit)
            edit->setMaxLength(limit);
    });
}

void showWhole(QLineEdit* edit, const QString& text)
{
    edit->setMaxLength(std::max(edit->maxLength(), int(text.size())));
    edit->setText(text);
}

}  // namespace lineLimit
