#include "outside/capture/portable/test_pattern.h"

#include <algorithm>
#include <cstdlib>

namespace kz8::capture::testkit {

namespace {

constexpr int kColours = 8;
constexpr int kMinimumWidth = kCounterBits * kBlock;

// Colour index i: bit 0 blue, bit 1 green, bit 2 red, each 0 or 255.
Bgr colourOf(int index) {
    return {uint8_t(index & 1 ? 255 : 0), uint8_t(index & 2 ? 255 : 0),
            uint8_t(index & 4 ? 255 : 0)};
}

uint16_t rgb555(const Bgr& c) { return uint16_t((c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3); }
uint16_t rgb565(const Bgr& c) { return uint16_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }

// BT.601 limited range, rounded.
void toYuv(const Bgr& c, int& y, int& u, int& v) {
    y = (66 * c.r + 129 * c.g + 25 * c.b + 128) / 256 + 16;
    u = (-38 * c.r - 74 * c.g + 112 * c.b + 128 + 128 * 256) / 256;
    v = (112 * c.r - 94 * c.g - 18 * c.b + 128 + 128 * 256) / 256;
}

void put16(std::vector<uint8_t>& out, size_t at, uint16_t value) {
    out[at] = uint8_t(value);
    out[at + 1] = uint8_t(value >> 8);
}

std::vector<uint8_t> rgbFrame(CameraFormat format, int width, int height, uint32_t counter) {
    const int bytes = format == CameraFormat::Rgb24 ? 3 : format == CameraFormat::Rgb32 ? 4 : 2;
    const size_t stride = (size_t(width) * bytes + 3) & ~size_t(3);
    std::vector<uint8_t> out(stride * size_t(height));
    for (int y = 0; y < height; ++y) {
        // DIB rows go bottom-up.
        uint8_t* row = out.data() + size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const Bgr c = patternColour(x, y, counter);
            uint8_t* pixel = row + size_t(x) * bytes;
            if (bytes >= 3) {
                pixel[0] = c.b, pixel[1] = c.g, pixel[2] = c.r;
                continue;
            }
            const uint16_t value = format == CameraFormat::Rgb565 ? rgb565(c) : rgb555(c);
            pixel[0] = uint8_t(value);
            pixel[1] = uint8_t(value >> 8);
        }
    }
    return out;
}

std::vector<uint8_t> yuy2Frame(int width, int height, uint32_t counter) {
    const size_t stride = packedRowBytes(PixelFormat::Yuy2, width);
    std::vector<uint8_t> out(stride * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; x += 2) {
            // A pair shares its chroma; both pixels lie in one block.
            int y0 = 0, u = 0, v = 0;
            toYuv(patternColour(x, y, counter), y0, u, v);
            uint8_t* pair = out.data() + size_t(y) * stride + size_t(x) * 2;
            pair[0] = uint8_t(y0), pair[1] = uint8_t(u), pair[2] = uint8_t(y0),
            pair[3] = uint8_t(v);
        }
    return out;
}

// Every block one colour: a word with the top bit set is that block's
// RGB555 colour. Blocks go from the picture's bottom row of blocks up.
std::vector<uint8_t> msVideo1Frame(int width, int height, uint32_t counter) {
    const int across = width / kBlock, down = height / kBlock;
    std::vector<uint8_t> out(size_t(across) * size_t(down) * 2);
    size_t at = 0;
    for (int by = down - 1; by >= 0; --by)
        for (int bx = 0; bx < across; ++bx, at += 2)
            put16(out, at,
                  uint16_t(0x8000 | rgb555(patternColour(bx * kBlock, by * kBlock, counter))));
    return out;
}

}  // namespace

Bgr patternColour(int x, int y, uint32_t counter) {
    const int bx = x / kBlock, by = y / kBlock;
    if (by == 0 && bx < kCounterBits) return colourOf(counter >> bx & 1 ? 7 : 0);
    // The picture moves one block a frame; by * 3 makes rows differ.
    return colourOf(int((uint32_t(bx) + uint32_t(by) * 3 + counter) % kColours));
}

std::vector<uint8_t> makeFrame(CameraFormat format, int width, int height, uint32_t counter) {
    switch (format) {
        case CameraFormat::Yuy2: return yuy2Frame(width, height, counter);
        case CameraFormat::MsVideo1: return msVideo1Frame(width, height, counter);
        default: return rgbFrame(format, width, height, counter);
    }
}

std::optional<uint32_t> readFrameCounter(const uint8_t* rows, int width, int height,
                                         size_t stride) {
    if (width < kMinimumWidth || height < kBlock) return std::nullopt;
    uint32_t counter = 0;
    for (int bit = 0; bit < kCounterBits; ++bit) {
        // The cell's middle, away from any edge a conversion blurs.
        const uint8_t* pixel = rows + size_t(kBlock / 2) * stride + size_t(bit * kBlock + 1) * 3;
        const int level = (pixel[0] + pixel[1] + pixel[2]) / 3;
        if (level > 64 && level < 192) return std::nullopt;
        if (level >= 192) counter |= uint32_t(1) << bit;
    }
    return counter;
}

int patternDistance(const uint8_t* rows, int width, int height, size_t stride, bool swapRedBlue) {
    const std::optional<uint32_t> counter = readFrameCounter(rows, width, height, stride);
    if (!counter) return -1;
    int worst = 0;
    for (int y = 0; y < height; y += 3) {
        for (int x = 0; x < width; x += 3) {
            const Bgr want = patternColour(x, y, *counter);
            const uint8_t* got = rows + size_t(y) * stride + size_t(x) * 3;
            const int blue = swapRedBlue ? got[2] : got[0];
            const int red = swapRedBlue ? got[0] : got[2];
            worst = std::max({worst, std::abs(blue - want.b), std::abs(got[1] - want.g),
                              std::abs(red - want.r)});
        }
    }
    return worst;
}

}  // namespace kz8::capture::testkit
