// Pixel rows to 24-bit: the 16-bit formats widen to the full range, and
// YUY2 agrees with ffmpeg's own conversion of the same frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/portable/pixel_rows.h"

namespace kz8 {
namespace {

TEST(PixelRows, SixteenBitAndThirtyTwoBitRows) {
    struct Case {
        PixelFormat format;
        std::vector<uint8_t> pixel;
        std::vector<uint8_t> bgr;
    };
    const std::vector<Case> cases = {
        {PixelFormat::Rgb555, {0xFF, 0x7F}, {255, 255, 255}},
        {PixelFormat::Rgb555, {0x1F, 0x00}, {255, 0, 0}},      // blue
        {PixelFormat::Rgb555, {0x00, 0x7C}, {0, 0, 255}},      // red
        {PixelFormat::Rgb555, {0xE0, 0x03}, {0, 255, 0}},      // green
        {PixelFormat::Rgb555, {0x10, 0x42}, {132, 132, 132}},  // 16 of 31 each
        {PixelFormat::Rgb565, {0xE0, 0x07}, {0, 255, 0}},
        {PixelFormat::Rgb565, {0x20, 0x04}, {0, 134, 0}},  // 33 of 63
        {PixelFormat::Rgb565, {0x00, 0xF8}, {0, 0, 255}},
        {PixelFormat::Rgb32, {1, 2, 3, 99}, {1, 2, 3}},
        {PixelFormat::Yuy2, {235, 128, 16, 128}, {255, 255, 255, 0, 0, 0}},
        {PixelFormat::Uyvy, {128, 16, 128, 235}, {0, 0, 0, 255, 255, 255}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const int width = int(c.bgr.size() / 3);
        std::vector<uint8_t> out(c.bgr.size());
        convertRowToBgr24(c.format, c.pixel.data(), width, out.data());
        EXPECT_EQ(out, c.bgr) << "case " << i;
        EXPECT_EQ(packedRowBytes(c.format, width), c.pixel.size()) << "case " << i;
    }
    EXPECT_EQ(packedRowBytes(PixelFormat::Yuy2, 161), 324u) << "an odd width takes a whole pair";
}

// ffmpeg is installed with the project's tools; its conversion of the same
// bytes is the reference.
TEST(PixelRows, Yuy2AgreesWithFfmpegWithinTwo) {
#ifdef _WIN32
    GTEST_SKIP() << "ffmpeg runs beside the native tree only";
#endif
    const int width = 64, height = 16;
    std::vector<uint8_t> frame(packedRowBytes(PixelFormat::Yuy2, width) * height);
    unsigned seed = 12345;
    for (uint8_t& byte : frame) {
        seed = seed * 1103515245 + 12345;
        byte = uint8_t(16 + (seed >> 16) % 220);
    }
    const std::string input = testing::TempDir() + "pixel_rows.yuv";
    const std::string output = testing::TempDir() + "pixel_rows.bgr";
    std::ofstream(input, std::ios::binary)
        .write(reinterpret_cast<const char*>(frame.data()), std::streamsize(frame.size()));
    const std::string command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt yuyv422 -s " +
                                std::to_string(width) + "x" + std::to_string(height) + " -i " +
                                input + " -f rawvideo -pix_fmt bgr24 " + output;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(output, std::ios::binary);
    const std::vector<uint8_t> reference((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(reference.size(), size_t(width) * height * 3);
    std::vector<uint8_t> row(size_t(width) * 3);
    int worst = 0;
    for (int y = 0; y < height; ++y) {
        convertRowToBgr24(PixelFormat::Yuy2, frame.data() + size_t(y) * width * 2, width,
                          row.data());
        for (size_t i = 0; i < row.size(); ++i)
            worst = std::max(worst, std::abs(int(row[i]) - reference[size_t(y) * row.size() + i]));
    }
    EXPECT_LE(worst, 2);
}

}  // namespace
}  // namespace kz8
