#include "common/Dialogs.h"

#include "common/PanelScroll.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

void dialogs::makeFixed(QDialog* dialog, QSize size)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog->setFixedSize(size);
    dialog->setModal(true);
}

void dialogs::makeFitting(QDialog* dialog, QWidget* panel)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog->setModal(true);
    panelScroll::place(dialog, panel);

    const QWidget* owner = dialog->parentWidget();
    QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QSize whole = panel->size();
    if (!screen) {
        dialog->setFixedSize(whole);
        return;
    }
    // Room for the frame and the title bar a window manager adds.
    const QSize room = screen->availableGeometry().size() - QSize(16, 40);
    // A panel that scrolls up and down needs the scroll bar's width besides.
    const int bar = dialog->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize wanted(whole.width() + (whole.height() > room.height() ? bar : 0),
                       whole.height() + (whole.width() > room.width() ? bar : 0));
    dialog->setMaximumSize(wanted);
    dialog->resize(wanted.boundedTo(room));
}
