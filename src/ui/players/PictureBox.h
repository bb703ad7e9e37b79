#pragma once

#include <QImage>
#include <QWidget>

// A picture box: keeps its picture at the picture's own pixel size and shows it scaled to fit the
// box without distortion, centred. A click on it is reported.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(const QString& objectName = {}, QWidget* parent = nullptr);

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);

    // One of the program's drawn pictures (":/icons/<name>.svg") rendered at `size`.
    static QImage drawn(const QString& name, QSize size);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_picture;
    QPixmap m_shown;  // the picture scaled to the box, made once per picture and size
};
