// The test camera's picture survives every format it is delivered in: the
// RGB formats give it back exactly, YUY2 within a step or two, and the
// counter reads back from the pixels for the first thousand frames and at
// every 2^n - 1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "outside/capture/portable/test_pattern.h"

namespace kz8::capture::testkit {
namespace {

struct Delivery {
    CameraFormat camera;
    PixelFormat rows;
    bool bottomUp;
    int tolerance;
};

const std::vector<Delivery> kDeliveries = {
    {CameraFormat::Rgb24, PixelFormat::Rgb24, true, 0},
    {CameraFormat::Rgb32, PixelFormat::Rgb32, true, 0},
    {CameraFormat::Rgb565, PixelFormat::Rgb565, true, 0},
    {CameraFormat::Rgb555, PixelFormat::Rgb555, true, 0},
    {CameraFormat::Yuy2, PixelFormat::Yuy2, false, 2},
};

// The frame as 24-bit top-down rows, width * 3 bytes apart.
std::vector<uint8_t> toBgr(const Delivery& d, int width, int height, uint32_t counter) {
    const std::vector<uint8_t> frame = makeFrame(d.camera, width, height, counter);
    const size_t packed = packedRowBytes(d.rows, width);
    const size_t stride = d.bottomUp ? (packed + 3) & ~size_t(3) : packed;
    std::vector<uint8_t> bgr(size_t(width) * 3 * size_t(height));
    for (int y = 0; y < height; ++y) {
        const int from = d.bottomUp ? height - 1 - y : y;
        convertRowToBgr24(d.rows, frame.data() + size_t(from) * stride, width,
                          bgr.data() + size_t(y) * width * 3);
    }
    return bgr;
}

TEST(TestPattern, EveryFormatCarriesThePicture) {
    for (const Delivery& d : kDeliveries)
        for (const auto& [width, height] :
             std::vector<std::pair<int, int>>{{160, 120}, {161, 120}, {320, 240}, {640, 480}}) {
            if (d.camera == CameraFormat::Yuy2 && width % 2) continue;  // even widths only
            const uint32_t counter = 77;
            const std::vector<uint8_t> bgr = toBgr(d, width, height, counter);
            int worst = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const Bgr want = patternColour(x, y, counter);
                    const uint8_t* got = bgr.data() + (size_t(y) * width + x) * 3;
                    for (int c = 0; c < 3; ++c)
                        worst = std::max(worst, std::abs(int(got[c]) - int((&want.b)[c])));
                }
            EXPECT_LE(worst, d.tolerance) << int(d.camera) << " at " << width << "x" << height;
            EXPECT_EQ(readFrameCounter(bgr.data(), width, height, size_t(width) * 3), counter)
                << int(d.camera) << " at " << width << "x" << height;
        }
}

TEST(TestPattern, TheCounterReadsBack) {
    std::vector<uint32_t> counters;
    for (uint32_t n = 0; n < 1000; ++n) counters.push_back(n);
    for (int bits = 1; bits <= 32; ++bits) counters.push_back(uint32_t((uint64_t(1) << bits) - 1));
    for (const Delivery& d : kDeliveries)
        for (uint32_t counter : counters) {
            const std::vector<uint8_t> bgr = toBgr(d, 160, 120, counter);
            ASSERT_EQ(readFrameCounter(bgr.data(), 160, 120, 160 * 3), counter)
                << int(d.camera) << " frame " << counter;
        }
    // Frames differ from one to the next, and the picture moves.
    EXPECT_FALSE(patternColour(40, 40, 5) == patternColour(40, 40, 6));
    EXPECT_TRUE(patternColour(40, 40, 5) == patternColour(36, 40, 6));

    const std::vector<uint8_t> grey(128 * 3 * 8, 128);
    EXPECT_FALSE(readFrameCounter(grey.data(), 128, 8, 128 * 3)) << "no counter in grey";
    EXPECT_FALSE(readFrameCounter(grey.data(), 120, 8, 120 * 3)) << "too narrow";
}

TEST(TestPattern, MsVideo1IsOneColourBlocksFromTheBottomUp) {
    const int width = 160, height = 120;
    const std::vector<uint8_t> frame = makeFrame(CameraFormat::MsVideo1, width, height, 9);
    ASSERT_EQ(frame.size(), size_t(width / 4) * (height / 4) * 2);
    // The first block is the bottom-left one.
    const uint16_t first = uint16_t(frame[0] | frame[1] << 8);
    const Bgr colour = patternColour(0, height - 4, 9);
    EXPECT_EQ(first, 0x8000 | (colour.r >> 3) << 10 | (colour.g >> 3) << 5 | colour.b >> 3);
    // No block word may read as a skip code (0x84xx to 0x87xx).
    for (size_t at = 0; at < frame.size(); at += 2) EXPECT_NE(frame[at + 1] & 0xFC, 0x84);
}

}  // namespace
}  // namespace kz8::capture::testkit
