#include "common/PictureButton.h"

#include "common/Style.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

QString picturePath(const QString& picture)
{
    return QStringLiteral(":/icons/") + picture + QStringLiteral(".svg");
}

QSvgRenderer& sharedPicture(const QString& picture)
{
    // Owned by the application, so they go with it; a later application parses them again.
    static QHash<QString, QPointer<QSvgRenderer>> parsed;
    QPointer<QSvgRenderer>& renderer = parsed[picture];
    if (!renderer)
        renderer = new QSvgRenderer(picturePath(picture), QCoreApplication::instance());
    return *renderer;
}

PictureButton::PictureButton(const QString& objectName, const QString& picture, QWidget* parent)
    : QAbstractButton(parent)
    , m_renderer(sharedPicture(picture))
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    resize(sizeHint());
}

void PictureButton::setHint(const QString& hint)
{
    m_hint = hint;
    setAccessibleName(hint);
}

QSize PictureButton::sizeHint() const
{
    return m_renderer.isValid() ? m_renderer.defaultSize() : QSize(48, 48);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        // Grey and faded: render, then desaturate the picture in place.
        QImage image(size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(devicePixelRatioF());
        image.fill(Qt::transparent);
        QPainter imagePainter(&image);
        m_renderer.render(&imagePainter, QRectF(QPointF(0, 0), QSizeF(size())));
        imagePainter.end();
        QImage grey = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
        grey.setAlphaChannel(image.convertToFormat(QImage::Format_Alpha8));
        grey.setDevicePixelRatio(devicePixelRatioF());
        painter.setOpacity(0.45);
        painter.drawImage(QPointF(0, 0), grey);
        return;
    }
    const bool pressed = isDown();
    const QRectF target = pressed ? QRectF(rect()).adjusted(1, 1, -1, -1) : QRectF(rect());
    m_renderer.render(&painter, target);
    if (m_hovered && !pressed) {
        painter.setOpacity(0.10);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(rect(), 8, 8);
        painter.setOpacity(1);
    }
    if (hasFocus())
        style::paintFocusRing(painter, QRectF(rect()));
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    // Space presses any button; Enter presses this one too, since Enter is the key the
    // program's forms move on with.
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

Picture::Picture(const QString& objectName, const QString& picture, QWidget* parent)
    : QWidget(parent)
    , m_renderer(sharedPicture(picture))
{
    setObjectName(objectName);
    resize(sizeHint());
}

QSize Picture::sizeHint() const
{
    return m_renderer.isValid() ? m_renderer.defaultSize() : QSize(48, 48);
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(rect()));
}
