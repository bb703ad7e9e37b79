#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QWidget>

#include <functional>

// A picture box: keeps its picture at the picture's own pixel size and shows it scaled to fit the
// box without distortion, centred. A click on it is reported.
//
// A picture read from a file is decoded on a worker thread (loadPicture), so that showing a record
// never waits for a large photo; until it is ready the box shows a stand-in, and picture() waits
// for it, so whoever saves, prints or zooms the picture gets the one being read.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(const QString& objectName = {}, QWidget* parent = nullptr);

    const QImage& picture() const;
    void setPicture(const QImage& picture);

    // Shows `standIn` at once and the picture `decode` returns once it is ready, unless another
    // picture is set first; a null result keeps `standIn` and calls `failed`, from the event loop.
    void loadPicture(std::function<QImage()> decode, const QImage& standIn, std::function<void()> failed = {});
    bool isLoading() const { return m_pending; }

    // One of the program's drawn pictures (":/icons/<name>.svg") rendered at `size`.
    static QImage drawn(const QString& name, QSize size);

Q_SIGNALS:
    void clicked();
    void pictureLoaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void finishLoading() const;
    void show(const QImage& picture) const;

    mutable QImage m_picture;
    mutable QPixmap m_shown;  // the picture scaled to the box, made once per picture and size
    mutable QFutureWatcher<QImage> m_loading;
    mutable bool m_pending = false;  // m_loading's picture has not been taken yet
    std::function<void()> m_failed;  // the pending load's
};
