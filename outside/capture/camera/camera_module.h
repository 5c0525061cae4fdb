// TestCamera.dll's own module handle, where its dialog templates live.
#pragma once

#include <windows.h>

namespace kz8::capture::testkit {

HMODULE cameraModule();

}  // namespace kz8::capture::testkit
