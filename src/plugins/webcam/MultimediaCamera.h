#pragma once

#include "platform/CameraPlugin.h"

#include <QObject>

// The webcam plugin: the camera seam on Qt Multimedia, the system's default video input.
class MultimediaCameraPlugin final : public QObject, public CameraPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraCameraPlugin_iid)
    Q_INTERFACES(CameraPlugin)
public:
    std::unique_ptr<platform::Cameras> cameras() override;
};
