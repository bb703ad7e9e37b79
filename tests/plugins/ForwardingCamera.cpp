#include "ForwardingCamera.h"

namespace {

class ForwardedCameras final : public platform::Cameras {
public:
    explicit ForwardedCameras(platform::Cameras* const& target) : m_target(target) {}
    std::unique_ptr<platform::FrameSource> defaultCamera() override
    {
        return m_target ? m_target->defaultCamera() : nullptr;
    }

private:
    platform::Cameras* const& m_target;
};

}  // namespace

std::unique_ptr<platform::Cameras> ForwardingCameraPlugin::cameras() { return std::make_unique<ForwardedCameras>(m_target); }
