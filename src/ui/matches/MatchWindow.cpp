#include "matches/MatchWindow.h"

#include "common/FillScreen.h"
#include "common/PanelScroll.h"
#include "common/Style.h"
#include "common/WorkScreen.h"

#include <QDialog>
#include <QLabel>

namespace matchWindow {

Parts place(QDialog* window, QWidget* owner, const QString& objectName, const QString& caption)
{
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                           | Qt::WindowCloseButtonHint);
    window->setModal(true);
    fillScreen(window, owner);
    window->setWindowState(Qt::WindowMaximized);

    auto* panel = new QWidget(window);
    panel->setObjectName(QStringLiteral("panContent"));
    panel->setFixedSize(WorkScreen::panelSize);
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(style::panelStyleSheet);
    panelScroll::place(window, panel);

    auto* title = new QLabel(panel);
    title->setObjectName(QStringLiteral("lblNome"));
    title->setFont(style::verdana(12, true));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("background-color: %1; color: #FFD21F; border-radius: 8px;").arg(style::navy.name()));
    title->setGeometry(20, 14, 955, 38);

    auto* info = new QLabel(panel);
    info->setObjectName(QStringLiteral("panInfo"));
    info->setFont(style::tahoma(11));
    info->setStyleSheet(QStringLiteral("background-color: %1; color: white; border-radius: 8px; padding-left: 14px;")
                            .arg(style::navy.name()));
    info->setGeometry(14, 638, 967, 40);
    return {panel, title, info};
}

}  // namespace matchWindow
