#pragma once

#include "platform/Platform.h"

#include <QtPlugin>

// The test webcam plugin (tests/plugins) is loaded as the program loads its own, and hands the
// work of the cameras it makes to the test's fake camera, set here.
class CameraForwarding {
public:
    virtual ~CameraForwarding() = default;
    virtual void forwardTo(platform::Cameras* cameras) = 0;
};

#define GolveraCameraForwarding_iid "example.golvera.test.CameraForwarding/1.0"
Q_DECLARE_INTERFACE(CameraForwarding, GolveraCameraForwarding_iid)
