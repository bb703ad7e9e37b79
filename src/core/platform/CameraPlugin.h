#pragma once

#include "platform/Platform.h"

#include <QtPlugin>

#include <memory>

// The webcam support as a plugin: Qt Multimedia and the sound and video libraries it brings are
// loaded only when a webcam screen opens, never at start-up. The plugin's root object implements
// this interface.
class CameraPlugin {
public:
    virtual ~CameraPlugin() = default;
    virtual std::unique_ptr<platform::Cameras> cameras() = 0;
};

#define GolveraCameraPlugin_iid "example.golvera.CameraPlugin/1.0"
Q_DECLARE_INTERFACE(CameraPlugin, GolveraCameraPlugin_iid)
