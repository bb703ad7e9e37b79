#include "common/ButtonTable.h"

#include "common/PictureButton.h"

#include <QKeySequence>
#include <QShortcut>

namespace buttonTable {

QList<PictureButton*> create(QWidget* panel, const QList<ButtonRow>& rows)
{
    QList<PictureButton*> buttons;
    buttons.reserve(rows.size());
    for (const ButtonRow& row : rows) {
        auto* button = new PictureButton(row.name, row.picture, panel);
        button->setGeometry(row.geometry);
        button->setHint(row.hint);
        button->setEnabled(row.available);
        buttons.append(button);
    }
    return buttons;
}

QList<PictureButton*> toolbar(QWidget* panel, const QList<ToolRow>& rows, int top)
{
    constexpr int side = 48;
    QList<ButtonRow> placed;
    placed.reserve(rows.size());
    for (const ToolRow& row : rows)
        placed.append({row.name, row.picture, QRect(row.x, top, side, side), row.hint, row.available});
    return create(panel, placed);
}

void bindKeys(QWidget* window, PictureButton* button, const QKeySequence& keys)
{
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled())
            button->click();
    });
    button->setToolTip(button->hint() + QStringLiteral("\nScorciatoia da tastiera: ")
                       + keys.toString(QKeySequence::NativeText));
}

}  // namespace buttonTable
