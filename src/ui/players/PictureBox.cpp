#include "players/PictureBox.h"

#include "common/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

PictureBox::PictureBox(const QString& objectName, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(objectName);
}

QImage PictureBox::drawn(const QString& name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(picturePath(name));
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_shown = QPixmap();
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    m_shown = QPixmap();
    QWidget::resizeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    // A large photo is scaled once, smoothly, rather than at every repaint.
    if (m_shown.isNull()) {
        const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
        m_shown = QPixmap::fromImage(m_picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter painter(this);
    const QRect area(QPoint((width() - m_shown.width()) / 2, (height() - m_shown.height()) / 2), m_shown.size());
    painter.drawPixmap(area, m_shown);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(event);
}
