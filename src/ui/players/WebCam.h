#pragma once

#include <QDialog>
#include <QImage>

#include <functional>
#include <memory>

namespace platform {
class FrameSource;
}
class PictureBox;
class QPushButton;

// Taking a player's photo with the default camera: a live view on the left, the captured frame on
// the right, and importing the capture into the editor's photo box. Only a frame the camera sent
// is ever captured, and saving or importing waits for a capture.
class TfrmWebCam : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWebCam(QWidget* owner);
    ~TfrmWebCam() override;

    // Where "Importa foto in scheda" puts the captured picture.
    void setImportTarget(std::function<void(const QImage&)> target) { m_importTarget = std::move(target); }

    // Closing by "Annulla" (or Escape) stops the camera first.
    void reject() override;

private:
    void btnAccendiClick();
    void btnSpegniClick();
    void btnCatturaClick();
    void btnSalvaFotogrammaClick();
    void btnImportaFotoClick();
    void cameraFailed(const QString& error);
    void setRunning(bool running);
    void frameArrived(const QImage& frame);
    QPushButton* button(const QString& name, const QString& caption, QRect geometry, void (TfrmWebCam::*action)());

    PictureBox* m_camera;
    PictureBox* m_target;
    bool m_supported;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_capture = nullptr;
    QPushButton* m_saveCapture = nullptr;
    QPushButton* m_import = nullptr;
    QImage m_frame;     // the newest frame of the running camera; null until one arrives
    QImage m_captured;  // the frame captured; null until "Cattura foto" takes one
    std::unique_ptr<platform::FrameSource> m_source;
    std::function<void(const QImage&)> m_importTarget;
};
