#include "common/WorkScreen.h"

#include "common/Navigator.h"
#include "common/PanelScroll.h"
#include "common/Style.h"

#include <QCloseEvent>
#include <QPainter>

WorkScreen::WorkScreen(Navigator& navigator, const QString& objectName, const QString& caption,
                       QSize contentSize, const style::Background& background)
    : QWidget(nullptr)
    , m_navigator(navigator)
    , m_content(new QWidget(this))
    , m_background(background)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    m_content->setObjectName(QStringLiteral("panContent"));
    m_content->setFixedSize(contentSize);
    m_content->setAttribute(Qt::WA_StyledBackground);
    m_content->setStyleSheet(style::panelStyleSheet);
    panelScroll::place(this, m_content);
}

void WorkScreen::leave() { m_navigator.go(Screen::Launcher, this); }

void WorkScreen::closeEvent(QCloseEvent* event)
{
    event->accept();
    leave();
}

void WorkScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect(), m_background);
}
