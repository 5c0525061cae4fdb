// Reading what the display shows, for checking another process's window:
// the whole screen through the desktop's device context.
#pragma once

#include <windows.h>

#include <string>

#include "common/testing/portable/test_files.h"

namespace kz8::testing {

// The whole screen as 24-bit pixels, top-down.
PpmImage captureScreen();

// Whether the screen shows `expected` unchanged with its top-left corner at
// (left, top). `skip` (screen coordinates) is left out of the comparison.
bool showsImageAt(const PpmImage& screen, const PpmImage& expected, int left, int top,
                  const RECT& skip = RECT{});
// How many pixels of the area differ from `expected`.
size_t differingPixels(const PpmImage& screen, const PpmImage& expected, int left, int top);

// A decoded fixture picture (its .ppm reference decode).
PpmImage fixtureImage(const std::string& name);

// The top-left width x height of a bitmap of this program's resources.
PpmImage bitmapImage(int id, int width, int height);

}  // namespace kz8::testing
