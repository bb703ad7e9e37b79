#include "players/PictureBox.h"

#include "common/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPromise>
#include <QSvgRenderer>
#include <QThreadPool>
#include <QTimer>

namespace {

// Photos are decoded one at a time, apart from the shared pool: a long job there (the daily
// backup) must not hold up a photo.
QThreadPool& decoders()
{
    static QThreadPool* const pool = [] {
        static QThreadPool one;
        one.setMaxThreadCount(1);
        return &one;
    }();
    return *pool;
}

}  // namespace

PictureBox::PictureBox(const QString& objectName, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    connect(&m_loading, &QFutureWatcherBase::finished, this, [this] {
        if (!isLoading())
            return;
        finishLoading();
        Q_EMIT pictureLoaded();
    });
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

const QImage& PictureBox::picture() const
{
    finishLoading();
    return m_picture;
}

void PictureBox::setPicture(const QImage& picture)
{
    // A picture still being read is dropped; one not started yet is never read.
    if (m_pending)
        m_loading.future().cancel();
    m_pending = false;
    m_loading.setFuture(QFuture<QImage>());
    show(picture);
}

void PictureBox::loadPicture(std::function<QImage()> decode, const QImage& standIn, std::function<void()> failed)
{
    setPicture(standIn);
    m_failed = std::move(failed);
    auto promise = std::make_shared<QPromise<QImage>>();
    m_loading.setFuture(promise->future());
    m_pending = true;
    decoders().start([promise, decode = std::move(decode)] {
        promise->start();
        if (!promise->isCanceled())
            promise->addResult(decode());
        promise->finish();
    });
}

void PictureBox::finishLoading() const
{
    if (!isLoading())
        return;
    QFuture<QImage> loading = m_loading.future();
    m_pending = false;
    m_loading.setFuture(QFuture<QImage>());
    loading.waitForFinished();
    if (loading.resultCount() > 0 && !loading.result().isNull()) {
        show(loading.result());
    } else if (m_failed) {
        // Whoever asked for the picture goes on first: a message box is not opened inside their work.
        QTimer::singleShot(0, this, m_failed);
    }
}

void PictureBox::show(const QImage& picture) const
{
    m_picture = picture;
    m_shown = QPixmap();
    const_cast<PictureBox*>(this)->update();
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
