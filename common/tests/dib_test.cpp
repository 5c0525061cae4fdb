#include "common/portable/dib.h"

#include <gtest/gtest.h>

#include "common/portable/le_bytes.h"

namespace kz8 {
inline namespace common {
namespace {

TEST(DibRowStride, PadsEveryDepthToFourBytes) {
    struct Case {
        int64_t width;
        unsigned bits;
        size_t stride;
    } cases[] = {
        {1, 24, 4},  {2, 24, 8},      {3, 24, 12},
        {4, 24, 12}, {580, 24, 1740}, {1, 8, 4},
        {5, 8, 8},   {1, 1, 4},       {33, 1, 8},
        {3, 4, 4},   {9, 4, 8},       {3, 16, 8},
        {7, 32, 28}, {0, 24, 0},      {-5, 24, 0},
        {10, 3, 0},  {10, 0, 0},      {int64_t(1) << 40, 32, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(dibRowStride(c.width, c.bits), c.stride)
            << "case " << i << ": width " << c.width << ", " << c.bits << " bits";
    }
}

TEST(DibLayout, PixelOffsetFollowsColourTable) {
    auto grey = Dib::create(10, 3, 8, 256, true);
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->view().layout().pixelOffset, 40u + 4 * 256);
    EXPECT_EQ(grey->view().layout().stride, 12u);
    EXPECT_EQ(grey->bytes().size(), 40u + 1024 + 36);

    auto colour = Dib::create(10, 3, 24);
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->view().layout().pixelOffset, 40u);
    EXPECT_EQ(colour->view().header().sizeImage, 32u * 3);
    EXPECT_EQ(colour->view().header().xPelsPerMeter, 7874);
}

TEST(Dib, GreyRampAndTopDownRows) {
    auto dib = Dib::create(2, 3, 8, 256, true);
    ASSERT_TRUE(dib);
    DibView view = dib->view();
    EXPECT_EQ(view.colour(0), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(view.colour(128), (RgbQuad{128, 128, 128, 0}));
    EXPECT_EQ(view.colour(255), (RgbQuad{255, 255, 255, 0}));
    EXPECT_FALSE(view.colour(256));

    // Row 0 (the top) is stored last.
    const uint8_t* pixels = view.pixels();
    EXPECT_EQ(view.row(0), pixels + 2 * 4);
    EXPECT_EQ(view.row(2), pixels);
    EXPECT_EQ(view.row(3), nullptr);
}

// Bytes of a DIB with the given header fields, the rest valid.
std::vector<uint8_t> dibBytes(int32_t width, int32_t height, uint16_t bits, uint32_t colours,
                              size_t extra = 0, uint32_t compression = 0) {
    DibHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = bits;
    h.clrUsed = colours;
    h.compression = compression;
    size_t stride = dibRowStride(width, bits);
    size_t height_rows = height > 0 ? size_t(height) : 0;
    std::vector<uint8_t> bytes(40 + 4 * size_t(colours) + stride * height_rows + extra);
    h.write(bytes.data());
    return bytes;
}

TEST(DibView, RejectsBytesThatDoNotHoldAWholeDib) {
    std::vector<uint8_t> headerOnly = dibBytes(5, 4, 24, 0);
    headerOnly.resize(40);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool valid;
    } cases[] = {
        {"good 24-bit", dibBytes(5, 4, 24, 0), true},
        {"good 8-bit with table", dibBytes(5, 4, 8, 256), true},
        {"trailing bytes are fine", dibBytes(5, 4, 24, 0, 10), true},
        {"header only", headerOnly, false},
        {"shorter than a header", std::vector<uint8_t>(39), false},
        {"top-down height", dibBytes(5, -4, 24, 0), false},
        {"zero width", dibBytes(0, 4, 24, 0), false},
        {"odd depth", dibBytes(5, 4, 12, 0), false},
        {"colour table too big", dibBytes(5, 4, 8, 257), false},
        {"RLE compressed", dibBytes(5, 4, 8, 256, 0, 1), false},
        {"huge claims", dibBytes(5, 4, 24, 0), false},
    };
    // The last case claims a picture far larger than its bytes.
    storeI32LE(cases[std::size(cases) - 1].bytes.data() + 4, 0x7FFFFFFF);
    storeI32LE(cases[std::size(cases) - 1].bytes.data() + 8, 0x7FFFFFFF);

    for (const Case& c : cases) {
        std::string error;
        auto view = DibView::over(c.bytes.data(), c.bytes.size(), &error);
        EXPECT_EQ(bool(view), c.valid) << c.what << ": " << error;
        if (!c.valid) {
            EXPECT_FALSE(error.empty()) << c.what << " must say what is wrong";
        }
    }
}

TEST(Dib, MutableViewWritesTheOwnedBytes) {
    auto dib = Dib::create(3, 2, 24);
    ASSERT_TRUE(dib);
    MutableDibView view = dib->mutableView();
    view.row(0)[0] = 0x11;  // top-left blue
    view.row(1)[8] = 0x22;  // bottom-right red
    const auto& bytes = dib->bytes();
    EXPECT_EQ(bytes[40 + 12], 0x11) << "top row is the second stored row";
    EXPECT_EQ(bytes[40 + 8], 0x22);
    EXPECT_EQ(bytes[40 + 9], 0) << "padding stays zero";
    EXPECT_FALSE(Dib::create(0, 1, 24));
    EXPECT_FALSE(Dib::fromBytes(std::vector<uint8_t>(12)));
}

}  // namespace
}  // namespace common
}  // namespace kz8
