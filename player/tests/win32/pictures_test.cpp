// The Win32 side of the card pictures: global blocks that hold exactly what
// the portable decoder makes, and drawing them at their place.
#include <gtest/gtest.h>

#include <cstring>

#include "common/portable/jpeg_dib.h"
#include "common/testing/portable/test_files.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"
#include "player/win32/card_window_rect.h"
#include "player/win32/jpeg_loader.h"

namespace kz8::player {
namespace {

std::string card(const std::string& name) { return testkit::fixturePath("card/" + name); }

TEST(LoadJpegAsDib, GivesAMovableBlockHoldingTheDecodedPicture) {
    for (const char* name : {"card-rgb.jpg", "card-grey.jpg", "card-cmyk.jpg", "odd-rgb.jpg"}) {
        GlobalMemory block(LoadJpegAsDib(card(name).c_str()));
        ASSERT_TRUE(block) << name;
        auto expected = decodeJpegFile(card(name));
        ASSERT_TRUE(expected) << name;
        GlobalLockGuard lock(block.get());
        ASSERT_TRUE(lock) << name;
        EXPECT_NE(static_cast<void*>(lock.bytes()), static_cast<void*>(block.get()))
            << name << ": a movable block's handle is not its address";
        ASSERT_GE(lock.size(), expected->bytes().size()) << name;
        EXPECT_EQ(std::memcmp(lock.bytes(), expected->bytes().data(), expected->bytes().size()), 0)
            << name;
    }
    for (const char* name : {"truncated.jpg", "corrupt.jpg", "junk-front.jpg", "missing.jpg"})
        EXPECT_EQ(LoadJpegAsDib(card(name).c_str()), nullptr) << name;
    EXPECT_EQ(LoadJpegAsDib(nullptr), nullptr);
}

TEST(DibDrawing, ReportsSizesAndRefusesMissingHandles) {
    GlobalMemory picture(LoadJpegAsDib(card("odd-grey.jpg").c_str()));
    ASSERT_TRUE(picture);
    int width = 0, height = 0;
    EXPECT_EQ(GetDibSize(picture.get(), &width, &height), 23);
    EXPECT_EQ(width, 37);
    EXPECT_EQ(height, 23);
    EXPECT_EQ(GetDibSize(picture.get(), nullptr, nullptr), 23) << "outputs may be omitted";
    EXPECT_EQ(GetDibSize(nullptr, &width, &height), 0);

    CreatedDc dc(CreateCompatibleDC(nullptr));
    EXPECT_FALSE(DrawDib(nullptr, picture.get(), 0, 0));
    EXPECT_FALSE(DrawDib(dc.get(), nullptr, 0, 0));
    EXPECT_FALSE(GetCardRect(GetDesktopWindow(), nullptr));
}

// Draws into a 32-bit DIB section and reads back what landed where.
TEST(DibDrawing, DrawsUnscaledAtTheGivenCornerWithColourTableColours) {
    constexpr int kCanvasWidth = 80, kCanvasHeight = 60, kX = 5, kY = 7;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCanvasWidth, -kCanvasHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    CreatedDc dc(CreateCompatibleDC(nullptr));
    Bitmap canvas(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(canvas && bits);
    SelectionGuard selected(dc.get(), canvas.get());
    auto* pixels = static_cast<const uint32_t*>(bits);

    for (const char* name : {"odd-rgb", "odd-grey"}) {
        std::memset(bits, 0, size_t(kCanvasWidth) * kCanvasHeight * 4);
        GlobalMemory picture(LoadJpegAsDib(card(std::string(name) + ".jpg").c_str()));
        ASSERT_TRUE(DrawDib(dc.get(), picture.get(), kX, kY)) << name;
        GdiFlush();
        auto dib = decodeJpegFile(card(std::string(name) + ".jpg"));
        DibView view = dib->view();
        int mismatches = 0;
        for (uint32_t y = 0; y < view.height(); ++y)
            for (uint32_t x = 0; x < view.width(); ++x) {
                uint32_t want = 0;
                if (view.header().bitCount == 24) {
                    const uint8_t* p = view.row(y) + 3 * x;
                    want = p[0] | (p[1] << 8) | (p[2] << 16);
                } else {
                    uint8_t g = view.row(y)[x];
                    want = g | (g << 8) | (g << 16);
                }
                uint32_t got = pixels[(kY + y) * kCanvasWidth + kX + x] & 0xFFFFFF;
                if (got != want && mismatches++ < 3)
                    ADD_FAILURE() << name << " (" << x << "," << y << "): got " << std::hex << got
                                  << " want " << want;
            }
        EXPECT_EQ(pixels[(kY - 1) * kCanvasWidth + kX] & 0xFFFFFF, 0u) << name << ": above";
        EXPECT_EQ(pixels[kY * kCanvasWidth + kX - 1] & 0xFFFFFF, 0u) << name << ": left";
    }
}

}  // namespace
}  // namespace kz8::player
