// Masked buttons: the blend against ImageMagick's masked composite, the
// cases at the edges of pictures and rectangles, and the hit test.
#include "skinui/portable/mask_blending.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/testing/portable/test_files.h"
#include "skinui/portable/bitmap_reader.h"

namespace kz8::skinui {
namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::readFile;

Dib fixture(const std::string& name) {
    const auto bytes = readFile(fixturePath("skinui/" + name));
    EXPECT_TRUE(bytes) << name;
    auto dib = bytes ? readBitmapFile(bytes->data(), bytes->size()) : std::nullopt;
    EXPECT_TRUE(dib) << name;
    return dib ? std::move(*dib) : *Dib::create(1, 1, 24);
}

// A picture of one colour (24-bit) or one byte (8-bit, grey ramp).
Dib filled(int width, int height, unsigned bits, uint8_t value) {
    Dib dib = *Dib::create(width, height, bits, bits == 8 ? 256 : 0, bits == 8);
    MutableDibView view = dib.mutableView();
    for (uint32_t y = 0; y < view.height(); ++y)
        std::fill(view.row(y), view.row(y) + view.width() * bits / 8, value);
    return dib;
}

uint8_t byteAt(const Dib& dib, int x, int y, int channel = 0) {
    const DibView view = dib.view();
    return view.row(uint32_t(y))[x * int(view.layout().bitCount / 8) + channel];
}

TEST(MaskBlending, MatchesImageMagicksMaskedCompositeWithinTwo) {
    const Dib blended = *blendThroughMask(fixture("blend-bg.bmp"), Rect{10, 8, 34, 24},
                                          fixture("blend-state.bmp"), fixture("mask-bands.bmp"));
    const auto expected =
        kz8::testkit::PpmImage::parse(*readFile(fixturePath("skinui/blend-expected.ppm")));
    ASSERT_TRUE(expected);
    ASSERT_EQ(int(blended.view().width()), expected->width);
    for (int y = 0; y < expected->height; ++y)
        for (int x = 0; x < expected->width; ++x) {
            const auto want = expected->at(x, y);
            const int got[3] = {byteAt(blended, x, y, 2), byteAt(blended, x, y, 1),
                                byteAt(blended, x, y, 0)};
            const int wanted[3] = {want.r, want.g, want.b};
            for (int c = 0; c < 3; ++c)
                ASSERT_LE(std::abs(got[c] - wanted[c]), 2)
                    << "pixel " << x << "," << y << " channel " << c;
        }
}

TEST(MaskBlending, EdgesOfPicturesAndRectangles) {
    const Dib bg = filled(20, 20, 24, 10);
    const Dib state = filled(4, 4, 24, 200);
    const Dib fullMask = filled(8, 8, 8, 255);
    struct Case {
        const char* name;
        Rect rect;
        const Dib& mask;
        int x, y;      // in the result
        uint8_t want;  // its first byte
    } cases[] = {
        {"the state picture where the mask is full", Rect{2, 2, 8, 8}, fullMask, 1, 1, 200},
        {"white beyond the state picture", Rect{2, 2, 8, 8}, fullMask, 5, 5, 255},
        {"the background beyond a smaller mask", Rect{2, 2, 12, 12}, fullMask, 9, 9, 10},
        {"the state pixel where RECT leaves the background", Rect{-2, -2, 4, 4}, fullMask, 0, 0,
         200},
        {"the state pixel past the background's far side", Rect{18, 18, 22, 22}, fullMask, 3, 3,
         200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto blended = blendThroughMask(bg, c.rect, state, c.mask);
        ASSERT_TRUE(blended);
        EXPECT_EQ(int(blended->view().width()), c.rect.width());
        EXPECT_EQ(byteAt(*blended, c.x, c.y), c.want);
    }
    // An 8-bit background blends the state's grey; undefined ones leave it.
    const auto grey =
        blendThroughMask(filled(10, 10, 8, 0), Rect{0, 0, 4, 4}, filled(4, 4, 24, 100), fullMask);
    ASSERT_TRUE(grey);
    EXPECT_EQ(byteAt(*grey, 0, 0), 100);
    EXPECT_FALSE(blendThroughMask(bg, Rect{0, 0, 4, 4}, state, filled(8, 8, 24, 255)))
        << "24-bit mask";
    EXPECT_FALSE(blendThroughMask(bg, Rect{0, 0, 4, 4}, filled(4, 4, 8, 1), fullMask))
        << "8 over 24";
    EXPECT_FALSE(blendThroughMask(bg, Rect{0, 0, 4, 4}, *Dib::create(4, 4, 4, 16), fullMask))
        << "4-bit";
}

TEST(MaskBlending, HitTestNeedsRectAndAFullMaskPixel) {
    Dib mask = filled(4, 4, 8, 255);
    mask.mutableView().row(0)[1] = 254;  // top row, second pixel, as on screen
    const Rect rect{10, 10, 20, 20};
    struct Case {
        const char* name;
        int x, y;
        bool hits;
    } cases[] = {
        {"a full mask pixel", 10, 10, true},
        {"a mask pixel of 254", 11, 10, false},
        {"left of RECT", 9, 10, false},
        {"above RECT", 10, 9, false},
        {"inside RECT past the mask", 15, 15, false},
        {"RECT's right edge", 20, 10, false},
    };
    for (const Case& c : cases) EXPECT_EQ(hitsMaskedButton(rect, mask, c.x, c.y), c.hits) << c.name;
    EXPECT_TRUE(hitsMaskedButton(rect, std::nullopt, 19, 19)) << "no mask: RECT";
    EXPECT_TRUE(hitsMaskedButton(rect, filled(4, 4, 24, 0), 15, 15))
        << "a 24-bit mask counts as none";
}

}  // namespace
}  // namespace kz8::skinui
