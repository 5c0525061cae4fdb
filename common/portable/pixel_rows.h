// Rows of the pixel formats cameras and decoders deliver, turned into the
// 24-bit rows of a DIB (blue, green, red): RGB555 and RGB565 with their
// channels widened by repeating the top bits, RGB32 without its fourth
// byte, and YUY2/UYVY as BT.601 limited range (Y 16 to 235, chroma 16 to
// 240), each pair of pixels sharing its chroma.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kz8 {

enum class PixelFormat { Rgb24, Rgb32, Rgb565, Rgb555, Yuy2, Uyvy };

// Bytes of one row of width pixels, without any padding. YUY2 and UYVY
// carry pixels in pairs: an odd width still takes a whole pair.
size_t packedRowBytes(PixelFormat format, int width);

// One row of width pixels into width * 3 bytes.
void convertRowToBgr24(PixelFormat format, const uint8_t* source, int width, uint8_t* bgr);

// One BT.601 limited-range sample to blue, green and red.
void yuvToBgr(int y, int u, int v, uint8_t* bgr);

}  // namespace kz8
