// Comparing what the display shows with the pictures a card should show.
#pragma once

#include <windows.h>

#include <string>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/screen_pixels.h"

namespace kz8::testkit {

// Whether the screen shows `expected` unchanged with its top-left corner at
// (left, top). `skip` (screen coordinates) is left out of the comparison.
bool showsImageAt(const PpmImage& screen, const PpmImage& expected, int left, int top,
                  const RECT& skip = RECT{});
// How many pixels of the area differ from `expected`.
size_t differingPixels(const PpmImage& screen, const PpmImage& expected, int left, int top);

// The mean difference per colour channel (0 to 255) between the screen and
// the pixels of `expected` placed at (left, top) that lie inside `within`.
double meanDifference(const PpmImage& screen, const PpmImage& expected, int left, int top,
                      const RECT& within);
// How near the screen at (left, top) comes to any frame of the card clip, as
// ffmpeg decodes it at the size of the clip window's inside: the smallest
// mean difference over the frames (a scaler and codec apart, not 0).
double closestClipFrameDifference(const PpmImage& screen, int left, int top);

// A decoded fixture picture (its .ppm reference decode).
PpmImage fixtureImage(const std::string& name);

}  // namespace kz8::testkit
