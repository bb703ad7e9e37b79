#include "common/WorkScreen.h"

#include "common/Navigator.h"
#include "common/Style.h"

#include <QCloseEvent>
#include <QGridLayout>
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
    setMinimumSize(contentSize + QSize(24, 24));
    m_content->setObjectName(QStringLiteral("panContent"));
    m_content->setFixedSize(contentSize);
    m_content->setAttribute(Qt::WA_StyledBackground);
    m_content->setStyleSheet(style::panelStyleSheet);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_content, 0, 0, Qt::AlignCenter);
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
