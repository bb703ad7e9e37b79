#pragma once

#include "CameraForwarding.h"
#include "platform/CameraPlugin.h"

#include <QObject>

// A webcam plugin for the tests: its cameras are the fake camera the test forwards them to.
class ForwardingCameraPlugin final : public QObject, public CameraPlugin, public CameraForwarding {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraCameraPlugin_iid)
    Q_INTERFACES(CameraPlugin CameraForwarding)
public:
    std::unique_ptr<platform::Cameras> cameras() override;
    void forwardTo(platform::Cameras* cameras) override { m_target = cameras; }

private:
    platform::Cameras* m_target = nullptr;
};
