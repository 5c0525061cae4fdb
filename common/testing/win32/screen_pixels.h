// Reading pixels back for checks, as 24-bit top-down images: a piece of a
// window, the whole screen (other processes' windows included), or a bitmap
// of this program's resources.
#pragma once

#include <windows.h>

#include "common/testing/portable/test_files.h"

namespace kz8::testkit {

// `area` in the window's client coordinates.
PpmImage windowImage(HWND window, const RECT& area);
PpmImage captureScreen();
// The top-left width x height of the bitmap (less if the bitmap is smaller).
PpmImage resourceBitmapImage(int id, int width, int height);

}  // namespace kz8::testkit
