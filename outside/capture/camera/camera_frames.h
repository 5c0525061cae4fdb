// The bytes of one frame the camera delivers, with the source setting
// applied: inverted colours give the pattern of (255 - channel).
#pragma once

#include <cstdint>
#include <vector>

#include "outside/capture/camera/camera_modes.h"

namespace kz8::capture::testkit {

std::vector<uint8_t> cameraFrame(const CameraMode& mode, uint32_t counter, bool inverted);

}  // namespace kz8::capture::testkit
