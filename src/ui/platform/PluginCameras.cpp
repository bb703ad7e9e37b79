#include "platform/PluginCameras.h"

#include "app/Plugins.h"
#include "platform/CameraPlugin.h"

PluginCameras::PluginCameras(const QString& folder)
    : m_folder(folder)
{
}

PluginCameras::~PluginCameras() = default;

bool PluginCameras::supported()
{
    if (!m_loaded) {
        m_loaded = true;
        if (auto* plugin = qobject_cast<CameraPlugin*>(plugins::load(m_folder, plugins::webcam)))
            m_cameras = plugin->cameras();
    }
    return m_cameras != nullptr;
}

std::unique_ptr<platform::FrameSource> PluginCameras::defaultCamera()
{
    return supported() ? m_cameras->defaultCamera() : nullptr;
}
