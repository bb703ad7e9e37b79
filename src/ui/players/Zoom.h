#pragma once

#include <QDialog>

class PictureBox;

// The player's photo full screen at its real size, scaled down only when it is larger than the
// screen; a click anywhere on it closes the view.
class TfrmZoom : public QDialog {
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget* owner);

    void setPicture(const QImage& picture);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToScreen();

    QWidget* m_container;
    PictureBox* m_photo;
};
