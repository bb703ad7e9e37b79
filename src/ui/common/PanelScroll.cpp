#include "common/PanelScroll.h"

#include <QApplication>
#include <QGridLayout>
#include <QScrollArea>

namespace panelScroll {

QScrollArea* place(QWidget* window, QWidget* panel)
{
    auto* area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("scrPannello"));
    area->setFrameShape(QFrame::NoFrame);
    // The holder fills the window and centres the panel; on a window smaller than the panel it
    // shrinks to the panel, which then scrolls with no margin wasted around it.
    area->setWidgetResizable(true);

    auto* holder = new QWidget;
    auto* margins = new QGridLayout(holder);
    margins->setContentsMargins(0, 0, 0, 0);
    margins->addWidget(panel, 0, 0, Qt::AlignCenter);
    area->setWidget(holder);
    // The window's background shows through around the panel.
    holder->setAutoFillBackground(false);
    area->viewport()->setAutoFillBackground(false);
    area->setAutoFillBackground(false);

    auto* layout = new QGridLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area, 0, 0);

    QObject::connect(qApp, &QApplication::focusChanged, area, [area, holder](QWidget*, QWidget* now) {
        if (now && holder->isAncestorOf(now))
            area->ensureWidgetVisible(now, 24, 24);
    });
    return area;
}

}  // namespace panelScroll
