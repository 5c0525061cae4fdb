#include "common/portable/pixel_rows.h"

#include <algorithm>
#include <cstring>

namespace kz8 {

namespace {

uint8_t widen5(unsigned value) { return uint8_t(value << 3 | value >> 2); }
uint8_t widen6(unsigned value) { return uint8_t(value << 2 | value >> 4); }
uint8_t clamp(int value) { return uint8_t(std::clamp(value, 0, 255)); }

void fromRgb16(const uint8_t* source, int width, uint8_t* bgr, bool green6) {
    for (int x = 0; x < width; ++x, source += 2, bgr += 3) {
        const unsigned pixel = unsigned(source[0]) | unsigned(source[1]) << 8;
        bgr[0] = widen5(pixel & 31);
        if (green6) {
            bgr[1] = widen6(pixel >> 5 & 63);
            bgr[2] = widen5(pixel >> 11 & 31);
        } else {
            bgr[1] = widen5(pixel >> 5 & 31);
            bgr[2] = widen5(pixel >> 10 & 31);
        }
    }
}

// Offsets of Y0, U, Y1 and V in a pair of pixels.
void fromPackedYuv(const uint8_t* source, int width, uint8_t* bgr, const int (&at)[4]) {
    for (int x = 0; x < width; x += 2, source += 4) {
        yuvToBgr(source[at[0]], source[at[1]], source[at[3]], bgr + x * 3);
        if (x + 1 < width) yuvToBgr(source[at[2]], source[at[1]], source[at[3]], bgr + x * 3 + 3);
    }
}

}  // namespace

size_t packedRowBytes(PixelFormat format, int width) {
    const size_t pixels = size_t(std::max(width, 0));
    switch (format) {
        case PixelFormat::Rgb24: return pixels * 3;
        case PixelFormat::Rgb32: return pixels * 4;
        case PixelFormat::Rgb565:
        case PixelFormat::Rgb555: return pixels * 2;
        case PixelFormat::Yuy2:
        case PixelFormat::Uyvy: return (pixels + 1) / 2 * 4;
    }
    return 0;
}

// Fixed point with 8 fraction bits: 298 = 1.164 * 256 and so on. Values
// are cut with a tenth added rather than rounded, as ffmpeg's converter
// does, which still takes Y 235 to 255.
void yuvToBgr(int y, int u, int v, uint8_t* bgr) {
    const int c = 298 * (y - 16) + 25, d = u - 128, e = v - 128;
    bgr[0] = clamp((c + 516 * d) >> 8);
    bgr[1] = clamp((c - 100 * d - 208 * e) >> 8);
    bgr[2] = clamp((c + 409 * e) >> 8);
}

void convertRowToBgr24(PixelFormat format, const uint8_t* source, int width, uint8_t* bgr) {
    switch (format) {
        case PixelFormat::Rgb24: std::memcpy(bgr, source, size_t(width) * 3); return;
        case PixelFormat::Rgb32:
            for (int x = 0; x < width; ++x) std::memcpy(bgr + x * 3, source + x * 4, 3);
            return;
        case PixelFormat::Rgb565: fromRgb16(source, width, bgr, true); return;
        case PixelFormat::Rgb555: fromRgb16(source, width, bgr, false); return;
        case PixelFormat::Yuy2: fromPackedYuv(source, width, bgr, {0, 1, 2, 3}); return;
        case PixelFormat::Uyvy: fromPackedYuv(source, width, bgr, {1, 0, 3, 2}); return;
    }
}

}  // namespace kz8
