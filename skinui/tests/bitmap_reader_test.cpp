// Bitmap files against ImageMagick's decode of the same files: every form
// the reader takes, pixel for pixel, and the broken ones it refuses.
#include "skinui/portable/bitmap_reader.h"

#include <gtest/gtest.h>

#include "common/testing/portable/test_files.h"

namespace kz8::skinui {
namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::PpmImage;
using kz8::testkit::readFile;
using kz8::testkit::Rgb;

std::optional<Dib> readFixture(const std::string& name) {
    const auto bytes = readFile(fixturePath("skinui/" + name));
    if (!bytes) return std::nullopt;
    return readBitmapFile(bytes->data(), bytes->size());
}

// The colour of a pixel, rows from the top, through the colour table where
// there is one.
Rgb colourAt(const DibView& view, uint32_t x, uint32_t y) {
    const uint8_t* row = view.row(y);
    const unsigned bits = view.layout().bitCount;
    if (bits == 24) return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    const unsigned perByte = 8 / bits;
    const unsigned shift = 8 - bits - (x % perByte) * bits;
    const uint32_t index = (row[x / perByte] >> shift) & ((1u << bits) - 1);
    const auto entry = view.colour(index);
    return entry ? Rgb{entry->red, entry->green, entry->blue} : Rgb{};
}

TEST(BitmapReader, EveryFormMatchesImageMagicksDecode) {
    struct Case {
        const char* file;
        unsigned bits;  // of the result
    } cases[] = {
        {"rgb24.bmp", 24},        {"pal8.bmp", 8},       {"rle8.bmp", 8},
        {"pal4.bmp", 4},          {"rle4.bmp", 4},       {"mono1.bmp", 1},
        {"core24.bmp", 24},       {"core4.bmp", 4},      {"v4-24.bmp", 24},
        {"topdown24.bmp", 24},    {"rgb32.bmp", 24},     {"fields32.bmp", 24},
        {"rgb555.bmp", 24},       {"fields565.bmp", 24}, {"fields565-blue-first.bmp", 24},
        {"v4-fields555.bmp", 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto dib = readFixture(c.file);
        ASSERT_TRUE(dib);
        const auto ppmBytes = readFile(fixturePath(std::string("skinui/") + c.file + ".ppm"));
        ASSERT_TRUE(ppmBytes);
        const auto expected = PpmImage::parse(*ppmBytes);
        ASSERT_TRUE(expected);
        const DibView view = dib->view();
        EXPECT_EQ(view.layout().bitCount, c.bits);
        EXPECT_EQ(view.header().compression, 0u);
        ASSERT_EQ(int(view.width()), expected->width);
        ASSERT_EQ(int(view.height()), expected->height);
        int wrong = 0;
        for (int y = 0; y < expected->height; ++y)
            for (int x = 0; x < expected->width; ++x)
                if (!(colourAt(view, uint32_t(x), uint32_t(y)) == expected->at(x, y)) &&
                    wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y;
        EXPECT_EQ(wrong, 0);
    }
}

TEST(BitmapReader, BrokenFilesAreRefused) {
    for (const char* file :
         {"bad-rle8-on-24.bmp", "bad-run-past-row.bmp", "bad-run-past-last-row.bmp",
          "bad-delta-past-row.bmp", "bad-too-many-colours.bmp", "bad-cut-off.bmp",
          "bad-header-124.bmp", "bad-huge.bmp", "bad-not-bm.bmp"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(readFile(fixturePath(std::string("skinui/") + file)));
        EXPECT_FALSE(readFixture(file));
    }
}

}  // namespace
}  // namespace kz8::skinui
