#include "common/LinkLabel.h"

#include "common/PictureButton.h"

#include "common/Style.h"

#include <QAbstractButton>
#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& objectName, const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(objectName);
    QFont f = style::tahoma(14);
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setPressed(false);
}

void LinkLabel::attachIcon(QAbstractButton* icon)
{
    connect(icon, &QAbstractButton::pressed, this, [this] { setPressed(true); });
    connect(icon, &QAbstractButton::released, this, [this] { setPressed(false); });
    connect(icon, &QAbstractButton::clicked, this, &LinkLabel::clicked);
}

LinkLabel* LinkLabel::withIcon(QWidget* parent, const QString& iconName, const QString& picture, QPoint iconAt,
                               const QString& objectName, const QString& text, const QRect& geometry)
{
    auto* icon = new PictureButton(iconName, picture, parent);
    icon->setGeometry(QRect(iconAt, QSize(40, 40)));
    auto* link = new LinkLabel(objectName, text, parent);
    link->setGeometry(geometry);
    link->attachIcon(icon);
    return link;
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setPressed(true);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    setPressed(false);
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void LinkLabel::setPressed(bool pressed)
{
    m_pressed = pressed;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, pressed ? style::pressedLink : style::darkBlueLink);
    setPalette(p);
}
