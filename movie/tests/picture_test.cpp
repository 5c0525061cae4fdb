// Frames from the media layer's surfaces, scaled to the card, and the scan
// for raw video codes at the start of a movie file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "common/portable/pixel_rows.h"
#include "movie/portable/fourcc_scan.h"
#include "movie/portable/picture_scaler.h"
#include "movie/portable/surface_rows.h"

namespace kz8::movie {
namespace {

using Bgr = std::array<int, 3>;
using Bytes = std::vector<uint8_t>;
using Kind = SurfaceFormat::Kind;

template <class Colour>
BgrPicture paint(int width, int height, Colour colour) {
    BgrPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int channel : colour(x, y)) picture.rows.push_back(uint8_t(channel));
    return picture;
}

Bgr at(const BgrPicture& picture, int x, int y) {
    const uint8_t* pixel = &picture.rows[(size_t(y) * picture.width + x) * 3];
    return {pixel[0], pixel[1], pixel[2]};
}

// Blue, green, red and white tiles: each channel is 255 in two of four, and 127.5 rounds up.
Bgr tiles(int x, int y) {
    const int column = x % 2, row = y % 2;
    return {column == row ? 255 : 0, column * 255, row * 255};
}
Bgr tileMean(int, int) { return {128, 128, 128}; }
Bgr ramps(int x, int y) { return {x, 255 - x, 4 * y}; }
Bgr rampPairMeans(int x, int y) { return {2 * x + 1, 255 - 2 * x, 8 * y + 2}; }
// Bilinear by hand from the corners; red holds the grid transposed, so swapped axes show.
constexpr int kGrown[4][4] = {
    {0, 40, 120, 160}, {16, 57, 139, 180}, {48, 91, 177, 220}, {64, 108, 196, 240}};
Bgr corners(int x, int y) {
    return {kGrown[3 * y][3 * x], 255 - kGrown[3 * y][3 * x], kGrown[3 * x][3 * y]};
}
Bgr grown(int x, int y) { return {kGrown[y][x], 255 - kGrown[y][x], kGrown[x][y]}; }

TEST(PictureScaler, ExactValues) {
    struct Case {
        int fromWidth, fromHeight, width, height;
        Bgr (*source)(int x, int y);
        Bgr (*expected)(int x, int y);
    };
    const Case cases[] = {
        {640, 480, 320, 240, tiles, tileMean},
        {256, 64, 128, 32, ramps, rampPairMeans},
        {2, 2, 4, 4, corners, grown},
        {7, 5, 7, 5, ramps, ramps},
    };
    for (const Case& c : cases) {
        const BgrPicture scaled =
            scalePicture(paint(c.fromWidth, c.fromHeight, c.source), c.width, c.height);
        ASSERT_EQ(scaled.rows.size(), size_t(c.width) * c.height * 3) << c.fromWidth;
        for (int y = 0, wrong = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if (at(scaled, x, y) != c.expected(x, y) && wrong++ < 3)
                    ADD_FAILURE() << c.fromWidth << " at " << x << "," << y;
    }
}

// Blue rises left to right, green top to bottom and red is flat: a flipped axis breaks the
// order, and weights not adding up to one change the red.
TEST(PictureScaler, OddRatiosKeepRangeAndOrientation) {
    const int sizes[][4] = {
        {161, 120, 320, 240}, {1000, 10, 320, 240}, {7, 1000, 3, 5}, {3, 2, 16384, 1}};
    for (const auto& s : sizes) {
        const int w = s[0] - 1, h = s[1] - 1;
        const auto source = paint(s[0], s[1], [w, h](int x, int y) {
            return Bgr{10 + 190 * x / w, 10 + 190 * y / h, 77};
        });
        const BgrPicture scaled = scalePicture(source, s[2], s[3]);
        for (int y = 0; y < s[3]; ++y)
            for (int x = 0; x < s[2]; ++x) {
                const Bgr pixel = at(scaled, x, y), left = at(scaled, std::max(x - 1, 0), y),
                          up = at(scaled, x, std::max(y - 1, 0));
                ASSERT_TRUE(left[0] <= pixel[0] && up[1] <= pixel[1] && pixel[2] == 77)
                    << s[0] << " at " << x << "," << y;
            }
        const Bgr first = at(scaled, 0, 0), last = at(scaled, s[2] - 1, s[3] - 1);
        EXPECT_TRUE(first[0] >= 10 && first[0] < last[0] && last[0] <= 200) << s[0];
        EXPECT_TRUE(first[1] >= 10 && (first[1] < last[1] || s[3] == 1) && last[1] <= 200) << s[0];
    }
}

TEST(PictureScaler, InvalidSourceGivesBlack) {
    for (const BgrPicture& source :
         {BgrPicture{}, BgrPicture{4, 4, Bytes(47, 200)}, BgrPicture{-2, 3, Bytes(99, 200)}}) {
        const BgrPicture scaled = scalePicture(source, 5, 3);
        EXPECT_EQ(scaled.width * 10 + scaled.height, 53);
        EXPECT_EQ(scaled.rows, Bytes(45, 0));
    }
    EXPECT_TRUE(scalePicture(paint(2, 2, ramps), 0, 7).rows.empty());
}

SurfaceFormat rgb(int bits, uint32_t r, uint32_t g, uint32_t b) {
    return {Kind::rgb, bits, r, g, b};
}

Bytes yuvPixels(std::initializer_list<Bgr> samples) {
    Bytes bgr(samples.size() * 3);
    for (size_t i = 0; i < samples.size(); ++i)
        yuvToBgr(samples.begin()[i][0], samples.begin()[i][1], samples.begin()[i][2], &bgr[i * 3]);
    return bgr;
}

// No pixels expected means the surface is refused. Each case's bytes are sized exactly, so a read
// past them trips the sanitizer.
TEST(SurfaceRows, FormatsAndRefusals) {
    struct Case {
        const char* name;
        SurfaceFormat format;
        int width, height;
        size_t pitch;
        Bytes bits, bgr;
    };
    const SurfaceFormat bgr24 = rgb(24, 0xFF0000, 0xFF00, 0xFF), yuy2{Kind::yuy2, 16};
    const Bytes plenty(64);
    // clang-format off
    const Case cases[] = {
        {"palette", {Kind::palette8, 8, 0, 0, 0, {0x112233, 0xAABBCC}}, 3, 1, 3, {1, 0, 5},
         {0xCC, 0xBB, 0xAA, 0x33, 0x22, 0x11, 5, 5, 5}},
        {"no palette", {Kind::palette8, 8}, 3, 1, 3, {0, 128, 255},
         {0, 0, 0, 128, 128, 128, 255, 255, 255}},
        {"555", rgb(16, 0x7C00, 0x3E0, 0x1F), 2, 1, 4, {0xFF, 0x7F, 16, 0},
         {255, 255, 255, 132, 0, 0}},
        {"565", rgb(16, 0xF800, 0x7E0, 0x1F), 2, 1, 4, {0xE0, 7, 0x21, 0xF8},
         {0, 255, 0, 8, 4, 255}},
        {"444, no green", rgb(16, 0xF00, 0, 0xF), 1, 1, 2, {0xF8, 0x0F}, {0x88, 0, 255}},
        {"24", bgr24, 2, 1, 6, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {"BGRX", rgb(32, 0xFF0000, 0xFF00, 0xFF), 1, 1, 4, {1, 2, 3, 99}, {1, 2, 3}},
        {"RGBX", rgb(32, 0xFF, 0xFF00, 0xFF0000), 1, 1, 4, {1, 2, 3, 99}, {3, 2, 1}},
        {"10 bits", rgb(32, 0x3FF00000, 0xFFC00, 0x3FF), 1, 1, 4, {255, 0, 0xF8, 0x3F},
         {63, 128, 255}},
        {"odd YUY2", yuy2, 3, 1, 8, {81, 90, 145, 240, 41, 240, 0, 110},
         yuvPixels({{81, 90, 240}, {145, 90, 240}, {41, 240, 110}})},
        {"UYVY", {Kind::uyvy, 16}, 2, 1, 4, {90, 81, 240, 145},
         yuvPixels({{81, 90, 240}, {145, 90, 240}})},
        {"wide pitch, last row unpadded", bgr24, 1, 2, 5, {1, 2, 3, 0xEE, 0xEE, 4, 5, 6},
         {1, 2, 3, 4, 5, 6}},
        {"size short", bgr24, 2, 2, 8, Bytes(13), {}},
        {"pitch narrow", bgr24, 2, 2, 5, plenty, {}},
        {"no bytes", bgr24, 1, 1, 3, {}, {}},
        {"no width", bgr24, 0, 1, 8, plenty, {}},
        {"odd YUY2 without its pair", yuy2, 3, 1, 6, Bytes(6), {}},
        {"YUY2 at 24 bits", {Kind::yuy2, 24}, 2, 1, 8, plenty, {}},
        {"palette at 16 bits", {Kind::palette8, 16}, 2, 1, 8, plenty, {}},
        {"rgb at 12 bits", rgb(12, 0xF00, 0xF0, 0xF), 2, 1, 8, plenty, {}},
        {"overlapping masks", rgb(16, 0xFC00, 0x7E0, 0x1F), 2, 1, 8, plenty, {}},
        {"split mask", rgb(16, 0xF00F, 0x7E0, 0), 2, 1, 8, plenty, {}},
        {"mask past the pixel", rgb(16, 0xFF0000, 0xFF00, 0xFF), 2, 1, 8, plenty, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto picture =
            surfaceToPicture(c.format, c.width, c.height, c.bits.data(), c.pitch, c.bits.size());
        EXPECT_EQ(picture.has_value(), !c.bgr.empty()) << c.name;
        EXPECT_EQ(picture ? picture->rows : c.bgr, c.bgr) << c.name;
        EXPECT_TRUE(!picture || (picture->width == c.width && picture->height == c.height))
            << c.name;
    }
}

TEST(FourccScan, CodesInTheFirst1024Bytes) {
    struct Case {
        const char* text;
        size_t at, size;
        bool found;
    };
    // a digit one case bit away from the code's is another byte
    const Case cases[] = {
        {"yuy2", 0, 64, true},      {"YuY2", 7, 64, true},       {"YUYZ", 0, 64, false},
        {"yvu9", 30, 64, true},     {"YVUg", 30, 64, false},     {"gTcC", 0, 4, true},
        {"uyvy", 1020, 2000, true}, {"UYVY", 1021, 2000, false}, {"UYVY", 1020, 1023, false},
        {"YUY", 61, 64, false},     {"YVU\x19", 0, 64, false},   {"YUY\x12", 0, 64, false},
        {"", 0, 0, false},
    };
    for (const Case& c : cases) {
        Bytes bytes(c.size, 'x');
        std::copy_n(c.text, std::min(std::strlen(c.text), c.size - c.at), bytes.begin() + c.at);
        EXPECT_EQ(hasRawVideoCode(bytes.data(), bytes.size()), c.found) << c.text << " at " << c.at;
    }
}

}  // namespace
}  // namespace kz8::movie
