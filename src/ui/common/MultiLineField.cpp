#include "common/MultiLineField.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace multiLineField {
namespace {

qsizetype storedLength(const QString& shown) { return shown.size() + shown.count(u'\n'); }

qsizetype weight(QChar c) { return c == u'\n' ? 2 : 1; }

void cut(QPlainTextEdit* box, int capacity)
{
    QString text = box->toPlainText();
    qsizetype excess = storedLength(text) - capacity;
    if (excess <= 0)
        return;
    QTextCursor cursor = box->textCursor();
    const int end = cursor.position();
    int start = end;
    while (excess > 0 && start > 0)
        excess -= weight(text.at(--start));
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    if (excess > 0) {
        text = box->toPlainText();
        int from = int(text.size());
        while (excess > 0 && from > 0)
            excess -= weight(text.at(--from));
        cursor.setPosition(from);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    box->setTextCursor(cursor);
}

}  // namespace

QString fromStored(const QString& stored)
{
    QString shown = stored;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QString toStored(const QString& shown)
{
    QString stored = shown;
    return stored.replace(u'\n', QStringLiteral("\r\n"));
}

void limit(QPlainTextEdit* box, int capacity)
{
    auto cutting = std::make_shared<bool>(false);
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, capacity, cutting] {
        if (*cutting)
            return;
        *cutting = true;
        cut(box, capacity);
        *cutting = false;
    });
}

}  // namespace multiLineField
