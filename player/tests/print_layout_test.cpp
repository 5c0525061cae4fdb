// The printed card's arithmetic: where the faces go on real page sizes,
// banding of large pictures, and the 180-degree turn of 24- and 8-bit DIBs.
#include <gtest/gtest.h>

#include <numeric>

#include "player/portable/print_layout.h"

namespace kz8::player {
namespace {

TEST(ComputePrintLayout, PlacesBothFacesAroundTheMiddleRow) {
    struct Case {
        const char* name;
        int w, h;
        PageRect upper, lower;
    };
    const Case cases[] = {
        // A4 at 300 dpi as Wine's PostScript driver reports it: tall, so the
        // faces span the width and leave margins above and below.
        {"A4 portrait", 2329, 3358, {0, 1679 - 1525, 2329, 1679}, {0, 1680, 2329, 1680 + 1525}},
        // The same page turned: wide, so the faces fill the height, centred.
        {"A4 landscape",
         3358,
         2329,
         {(3358 - 1777) / 2, 0, (3358 - 1777) / 2 + 1777, 1164},
         {(3358 - 1777) / 2, 1165, (3358 - 1777) / 2 + 1777, 2329}},
        // Exactly two cards high: not "wider", so the width is filled.
        {"580 x 760", 580, 760, {0, 0, 580, 380}, {0, 381, 580, 761}},
        // An odd height: the middle row truncates.
        {"odd height", 581, 3001, {0, 1500 - 380, 581, 1500}, {0, 1501, 581, 1501 + 380}},
    };
    for (const Case& c : cases) {
        PageRect upper, lower;
        ASSERT_TRUE(computePrintLayout(c.w, c.h, &upper, &lower)) << c.name;
        EXPECT_EQ(upper, c.upper) << c.name << ": upper " << upper.left << "," << upper.top << ","
                                  << upper.right << "," << upper.bottom;
        EXPECT_EQ(lower, c.lower) << c.name << ": lower " << lower.left << "," << lower.top << ","
                                  << lower.right << "," << lower.bottom;
        EXPECT_EQ(lower.top, c.h / 2 + 1) << c.name << ": one row between the faces";
    }
}

TEST(ComputePrintLayout, RefusesEmptyPagesAndMissingOutputs) {
    PageRect a, b;
    EXPECT_FALSE(computePrintLayout(0, 3358, &a, &b));
    EXPECT_FALSE(computePrintLayout(2329, 0, &a, &b));
    EXPECT_FALSE(computePrintLayout(-5, 100, &a, &b));
    EXPECT_FALSE(computePrintLayout(2329, 3358, nullptr, &b));
    EXPECT_FALSE(computePrintLayout(2329, 3358, &a, nullptr));
}

TEST(PlanStretchBands, BandsOnlyFromTwoToTheTwentiethPixels) {
    struct Case {
        const char* name;
        int sw, sh, dh;
        size_t bands;
    };
    const Case cases[] = {
        {"card 580 x 380", 580, 380, 1523, 1},
        {"just below 1048576", 1048575, 1, 700, 1},
        {"exactly 1048576", 1024, 1024, 1523, 2},
        {"three times the limit", 2048, 1536, 1000, 4},
        {"more bands than target rows", 4096, 4096, 7, 17},
        {"beyond 32-bit pixel counts", 70000, 70000, 3000,
         size_t((int64_t(70000) * 70000 >> 20) + 1)},
    };
    for (const Case& c : cases) {
        auto plan = planStretchBands(c.sw, c.sh, c.dh);
        ASSERT_EQ(plan.size(), c.bands) << c.name;
        int srcSum = 0, dstSum = 0;
        for (size_t i = 0; i < plan.size(); ++i) {
            EXPECT_EQ(plan[i].sourceTop, srcSum)
                << c.name << " band " << i << ": source rows run on";
            srcSum += plan[i].sourceHeight;
            dstSum += plan[i].destHeight;
            // Band 0 is the bottom band: each band ends where the one before began.
            int below = i == 0 ? c.dh : plan[i - 1].destTop;
            EXPECT_EQ(plan[i].destTop + plan[i].destHeight, below) << c.name << " band " << i;
        }
        EXPECT_EQ(srcSum, c.sh) << c.name << ": every source row once";
        EXPECT_EQ(dstSum, c.dh) << c.name << ": band heights sum to the target";
        EXPECT_EQ(plan.back().destTop, 0) << c.name << ": the last band reaches the top";
    }
}

// A picture whose every pixel byte says where it came from.
Dib numberedPicture(int width, int height, unsigned bits) {
    auto dib = Dib::create(width, height, bits, bits == 8 ? 256 : 0, bits == 8);
    MutableDibView v = dib->mutableView();
    const unsigned unit = bits / 8;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (unsigned k = 0; k < unit; ++k)
                v.row(y)[x * unit + k] = uint8_t(y * 31 + x * 7 + k);
    return std::move(*dib);
}

TEST(RotateDib180, TurnsPixelsKeepsChannelOrderAndZeroPadding) {
    struct Case {
        const char* name;
        int w, h;
        unsigned bits;
    };
    // Widths whose rows need 1, 3 and 2 bytes of padding.
    const Case cases[] = {{"24-bit 5 x 3", 5, 3, 24},
                          {"8-bit 5 x 4", 5, 4, 8},
                          {"8-bit 1 x 1", 1, 1, 8},
                          {"24-bit 37 x 23", 37, 23, 24},
                          {"8-bit 38 x 2", 38, 2, 8}};
    for (const Case& c : cases) {
        Dib source = numberedPicture(c.w, c.h, c.bits);
        auto turned = rotateDib180(source.view());
        ASSERT_TRUE(turned) << c.name;
        DibView s = source.view(), t = turned->view();
        ASSERT_EQ(t.width(), s.width()) << c.name;
        ASSERT_EQ(t.height(), s.height()) << c.name;
        EXPECT_EQ(t.header().sizeImage, s.layout().imageSize) << c.name;
        EXPECT_EQ(t.header().clrUsed, s.header().clrUsed) << c.name;
        for (uint32_t i = 0; i < s.header().clrUsed; ++i)
            EXPECT_TRUE(*t.colour(i) == *s.colour(i)) << c.name << ": colour " << i;
        const unsigned unit = c.bits / 8;
        int mismatches = 0;
        for (int y = 0; y < c.h; ++y) {
            for (int x = 0; x < c.w; ++x)
                for (unsigned k = 0; k < unit; ++k)
                    if (t.row(y)[x * unit + k] != s.row(c.h - 1 - y)[(c.w - 1 - x) * unit + k] &&
                        mismatches++ < 3)
                        ADD_FAILURE() << c.name << ": pixel (" << x << "," << y << ") byte " << k;
            for (size_t p = size_t(c.w) * unit; p < s.layout().stride; ++p)
                EXPECT_EQ(t.row(y)[p], 0) << c.name << ": padding of row " << y;
        }
        // Turning twice gives the picture back, byte for byte.
        auto back = rotateDib180(t);
        ASSERT_TRUE(back) << c.name;
        EXPECT_EQ(back->bytes(), source.bytes()) << c.name;
    }
}

TEST(RotateDib180, RefusesDepthsWithoutWholeBytePixels) {
    auto mono = Dib::create(8, 2, 1, 2);
    ASSERT_TRUE(mono);
    EXPECT_FALSE(rotateDib180(mono->view()));
}

}  // namespace
}  // namespace kz8::player
