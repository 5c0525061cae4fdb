// The reveal in a real window: after each pass, a client pixel inside the
// card shows the new picture exactly when the Bayer value at (Y mod 8,
// X mod 8) is below the pass's threshold, and black otherwise.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "common/portable/dib.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/global_dib.h"
#include "common/win32/handles.h"
#include "player/portable/msvc_random.h"
#include "player/portable/reveal_pattern.h"
#include "player/win32/card_window_rect.h"
#include "player/win32/reveal.h"

namespace kz8::player {
namespace {

constexpr int kClientWidth = 600, kClientHeight = 400;
// Not multiples of 8, so the last column and row of tiles are cut.
constexpr int kPictureWidth = 573, kPictureHeight = 379;

uint32_t pictureColour(int x, int y) {  // 0xRRGGBB, never black
    return (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8) | 0xC8;
}

GlobalMemory makePicture(int width = kPictureWidth, int height = kPictureHeight) {
    auto dib = Dib::create(width, height, 24);
    MutableDibView view = dib->mutableView();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t c = pictureColour(x, y);
            uint8_t* p = view.row(uint32_t(y)) + 3 * x;
            p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
        }
    return copyToGlobal(dib->bytes());
}

LRESULT CALLBACK plainWindow(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

struct RevealCheck {
    HWND window = nullptr;
    RECT card{};
    int passesSeen = 0;
    int failures = 0;
};
RevealCheck* gCheck = nullptr;

// Reads the whole client area back from the window and checks every pixel.
void checkPass(int pass, int threshold) {
    RevealCheck& c = *gCheck;
    ++c.passesSeen;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kClientWidth, -kClientHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    WindowDc windowDc(c.window);
    CreatedDc copyDc(CreateCompatibleDC(windowDc.get()));
    Bitmap copy(CreateDIBSection(copyDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectionGuard selected(copyDc.get(), copy.get());
    BitBlt(copyDc.get(), 0, 0, kClientWidth, kClientHeight, windowDc.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int Y = 0; Y < kClientHeight; ++Y)
        for (int X = 0; X < kClientWidth; ++X) {
            int x = X - c.card.left, y = Y - c.card.top;
            bool inPicture = x >= 0 && y >= 0 && x < kPictureWidth && y < kPictureHeight;
            uint32_t want = inPicture && revealedInPass(X, Y, threshold) ? pictureColour(x, y) : 0;
            uint32_t got = pixels[Y * kClientWidth + X] & 0xFFFFFF;
            if (got != want && c.failures++ < 5)
                ADD_FAILURE() << "pass " << pass << " (L=" << threshold << ") client (" << X << ","
                              << Y << "): got " << std::hex << got << " want " << want;
        }
}

TEST(RevealDib, DissolvesThroughTheWindowAlignedMaskPassByPass) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = plainWindow;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "CardRevealTest";
    RegisterClassA(&cls);
    HWND window =
        CreateWindowExA(0, cls.lpszClassName, "reveal", WS_POPUP | WS_VISIBLE, 0, 0, kClientWidth,
                        kClientHeight, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_TRUE(window);
    SetForegroundWindow(window);
    UpdateWindow(window);

    RevealCheck check;
    check.window = window;
    ASSERT_TRUE(GetCardRect(window, &check.card));
    ASSERT_EQ(check.card.left, 10) << "the card sits off the 8-pixel grid of the window";
    gCheck = &check;
    GlobalMemory picture = makePicture();
    GlobalMemory old = makePicture();
    {
        WindowDc dc(window);
        RECT client{0, 0, kClientWidth, kClientHeight};
        FillRect(dc.get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_FALSE(RevealDib(dc.get(), nullptr, picture.get(), 0, 0, 0, 0));
        EXPECT_FALSE(RevealDib(dc.get(), old.get(), nullptr, 0, 0, 0, 0));
        EXPECT_FALSE(RevealDib(nullptr, old.get(), picture.get(), 0, 0, 0, 0));

        setRevealPassHook(checkPass);
        cardSrand(20240601);
        EXPECT_TRUE(RevealDib(dc.get(), old.get(), picture.get(), check.card.left, check.card.top,
                              check.card.right, check.card.bottom));
        setRevealPassHook(nullptr);

        // How long a whole card takes: 11 passes over 73 x 48 = 3504 tiles.
        GlobalMemory card = makePicture(580, 380);
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        EXPECT_TRUE(RevealDib(dc.get(), old.get(), card.get(), check.card.left, check.card.top,
                              check.card.right, check.card.bottom));
        GdiFlush();
        QueryPerformanceCounter(&end);
        std::printf("[ figure ] reveal of a 580 x 380 card: %.1f ms\n",
                    1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
    EXPECT_EQ(check.passesSeen, kRevealPassCount);
    EXPECT_EQ(check.failures, 0);
    DestroyWindow(window);
    gCheck = nullptr;
}

}  // namespace
}  // namespace kz8::player
