#include "MultimediaCamera.h"

#include <QCamera>
#include <QCameraDevice>
#include <QImage>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMutex>
#include <QPointer>
#include <QVideoFrame>
#include <QVideoSink>

namespace {

// Frames arrive on the capture thread. That thread only keeps the newest frame and, unless a
// delivery is already queued, queues one to the user-interface thread, which converts the frame
// to a picture there: the screen's picture is never touched from the capture thread.
class MultimediaFrameSource final : public QObject, public platform::FrameSource {
public:
    explicit MultimediaFrameSource(const QCameraDevice& device) : m_camera(device)
    {
        m_session.setCamera(&m_camera);
        m_session.setVideoSink(&m_sink);
        connect(&m_sink, &QVideoSink::videoFrameChanged, this, &MultimediaFrameSource::frameArrived,
                Qt::DirectConnection);
        connect(&m_camera, &QCamera::errorOccurred, this, [this](QCamera::Error error, const QString& text) {
            if (error == QCamera::NoError || !m_running)
                return;
            stop();
            // An error while starting is start()'s to return; only later ones are reported here.
            if (!m_starting && m_onError)
                m_onError(errorText(text));
        });
    }
    ~MultimediaFrameSource() override
    {
        disconnect(&m_sink, nullptr, this, nullptr);
        m_camera.stop();
    }

    QString start(std::function<void(const QImage&)> onFrame, std::function<void(const QString&)> onError) override
    {
        m_onFrame = std::move(onFrame);
        m_onError = std::move(onError);
        m_running = true;
        m_starting = true;
        m_camera.start();
        m_starting = false;
        if (!m_running || m_camera.error() != QCamera::NoError) {
            stop();
            return errorText(m_camera.errorString());
        }
        return {};
    }

    void stop() override
    {
        m_running = false;
        m_camera.stop();
    }

private:
    static QString errorText(const QString& text)
    {
        return text.isEmpty() ? QStringLiteral("La webcam non pu\u00F2 essere avviata.") : text;
    }

    void frameArrived(const QVideoFrame& frame)
    {
        {
            QMutexLocker lock(&m_mutex);
            m_newest = frame;
            if (m_queued)
                return;
            m_queued = true;
        }
        QMetaObject::invokeMethod(this, &MultimediaFrameSource::deliver, Qt::QueuedConnection);
    }

    void deliver()
    {
        QVideoFrame frame;
        {
            QMutexLocker lock(&m_mutex);
            frame = m_newest;
            m_queued = false;
        }
        if (!m_running || !m_onFrame || !frame.isValid())
            return;
        const QImage picture = frame.toImage();
        if (!picture.isNull())
            m_onFrame(picture);
    }

    QCamera m_camera;
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    QMutex m_mutex;
    QVideoFrame m_newest;
    bool m_queued = false;
    bool m_running = false;
    bool m_starting = false;
    std::function<void(const QImage&)> m_onFrame;
    std::function<void(const QString&)> m_onError;
};

class MultimediaCameras final : public platform::Cameras {
public:
    std::unique_ptr<platform::FrameSource> defaultCamera() override
    {
        const QCameraDevice device = QMediaDevices::defaultVideoInput();
        if (device.isNull())
            return nullptr;
        return std::make_unique<MultimediaFrameSource>(device);
    }
};

}  // namespace

std::unique_ptr<platform::Cameras> MultimediaCameraPlugin::cameras() { return std::make_unique<MultimediaCameras>(); }
