// The test camera's picture, a pure function of (format, size, frame
// counter): 4 x 4 blocks of eight colours whose channels are 0 or 255, so
// every format carries them exactly (RGB) or nearly (YUY2), moving one
// block per frame; the counter's 32 bits are burnt into the first row of
// blocks as black and white cells, so a test reads back which frame it
// got and computes what that frame must look like.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/portable/pixel_rows.h"

namespace kz8::capture::testkit {

constexpr int kBlock = 4;
constexpr int kCounterBits = 32;

struct Bgr {
    uint8_t b = 0, g = 0, r = 0;
    bool operator==(const Bgr& other) const { return b == other.b && g == other.g && r == other.r; }
};

// The colour of pixel (x, y), counted from the top left.
Bgr patternColour(int x, int y, uint32_t counter);

// The formats the camera offers; MS Video 1 as one-colour blocks.
enum class CameraFormat { Rgb24, Yuy2, MsVideo1, Rgb32, Rgb565, Rgb555 };

// A frame as the camera delivers it: RGB rows bottom-up with DIB padding,
// YUY2 rows top-down without padding, MS Video 1 as its compressed bytes.
std::vector<uint8_t> makeFrame(CameraFormat format, int width, int height, uint32_t counter);

// The counter burnt into 24-bit rows (top-down rows `stride` bytes apart);
// nothing when the picture is too small or a cell is neither black nor
// white enough.
std::optional<uint32_t> readFrameCounter(const uint8_t* rows, int width, int height, size_t stride);

// The largest channel difference between 24-bit rows (top-down, `stride`
// bytes apart) and the pattern of the counter they carry, at every third
// pixel of every third row; -1 without a readable counter. `swapRedBlue`
// compares red with blue, for a converter that mixes them up.
int patternDistance(const uint8_t* rows, int width, int height, size_t stride, bool swapRedBlue);

}  // namespace kz8::capture::testkit
