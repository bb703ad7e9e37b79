#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

// The camera seam on the webcam plugin of `folder`, loaded the first time it is asked for. Without
// the plugin (a partial installation, a failed build) the program still starts and works, and
// there is no camera support.
class PluginCameras final : public platform::Cameras {
public:
    explicit PluginCameras(const QString& folder);
    ~PluginCameras() override;

    bool supported() override;
    std::unique_ptr<platform::FrameSource> defaultCamera() override;

private:
    QString m_folder;
    bool m_loaded = false;
    std::unique_ptr<platform::Cameras> m_cameras;
};
