// The button bar and the link strip in a real full-screen window under Wine,
// driven by real pointer input from xdotool. Looks are checked by reading the
// window's pixels back and comparing them with the resource bitmaps.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"
#include "player/win32/button_bar.h"
#include "player/win32/card_window_rect.h"
#include "player/win32/link_bar.h"
#include "player/win32/player_resources.h"

namespace kz8::player {
namespace {

using testkit::moveMouseTo;
using testkit::pressLeft;
using testkit::pumpMessages;
using testkit::releaseLeft;

int gClicks[kBarButtonCount + 1];
constexpr int kLinkSlot = kBarButtonCount;
template <int slot>
int countClick() {
    ++gClicks[slot];
    return 0;
}

ButtonBar* gBar = nullptr;
LinkBar* gLink = nullptr;

LRESULT CALLBACK barWindow(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
        case WM_PAINT: {
            PaintDc dc(w);
            if (gBar) gBar->Paint(dc.get());
            if (gLink) gLink->Paint(dc.get());
            return 0;
        }
        case WM_MOUSEMOVE:
            if (gBar) gBar->OnMouseMove(wp, lp);
            if (gLink) gLink->OnMouseMove(wp, lp);
            break;
        case WM_LBUTTONDOWN:
            if (gBar) gBar->OnButtonDown(wp, lp);
            if (gLink) gLink->OnButtonDown(wp, lp);
            break;
        case WM_LBUTTONUP:
            if (gBar) gBar->OnButtonUp(wp, lp);
            if (gLink) gLink->OnButtonUp(wp, lp);
            break;
    }
    return DefWindowProcA(w, m, wp, lp);
}

struct Looks {
    int normal, hover, pressed, disabled;
};
constexpr Looks kPlayLooks{IDB_PLAY_NORMAL, IDB_PLAY_HOVER, IDB_PLAY_PRESSED, IDB_PLAY_DISABLED};
constexpr Looks kPrintLooks{IDB_PRINT_NORMAL, IDB_PRINT_HOVER, IDB_PRINT_PRESSED, 0};

class ButtonWindow : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA cls{};
        cls.lpfnWndProc = barWindow;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        cls.lpszClassName = "ButtonBarTest";
        RegisterClassA(&cls);
        window_ = CreateWindowExA(0, cls.lpszClassName, "buttons", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, cls.hInstance, nullptr);
        ASSERT_TRUE(window_);
        SetForegroundWindow(window_);
        for (int& c : gClicks) c = 0;
        ButtonBarActions actions{countClick<kPlayButton>, countClick<kStopButton>,
                                 countClick<kTurnButton>, countClick<kPrintButton>,
                                 countClick<kCloseButton>};
        auto start = std::chrono::steady_clock::now();
        bar_.LayOut(window_, cls.hInstance, actions);
        link_.LayOut(window_, cls.hInstance, countClick<kLinkSlot>);
        {
            WindowDc dc(window_);
            bar_.Paint(dc.get());
            link_.Paint(dc.get());
        }
        layoutAndPaintMicroseconds_ =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        gBar = &bar_;
        gLink = &link_;
        InvalidateRect(window_, nullptr, TRUE);
        pumpMessages(300);
        // Start every case with the pointer well away from the bars.
        ASSERT_TRUE(moveMouseTo(40, 40));
    }
    void TearDown() override {
        gBar = nullptr;
        gLink = nullptr;
        if (GetCapture() == window_) ReleaseCapture();
        DestroyWindow(window_);
    }

    POINT centreOf(BitmapButton& b) {
        RECT r{};
        b.GetButtonRect(&r);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(window_, &p);
        return p;
    }
    bool moveTo(POINT p) { return moveMouseTo(p.x, p.y); }

    // Whether the button shows the given bitmap's top-left piece.
    ::testing::AssertionResult shows(BitmapButton& b, int bitmapId, const char* look) {
        RECT r{};
        b.GetButtonRect(&r);
        const testkit::PpmImage got = testkit::windowImage(window_, r);
        const testkit::PpmImage want =
            testkit::resourceBitmapImage(bitmapId, r.right - r.left, r.bottom - r.top);
        for (int y = 0; y < got.height; ++y)
            for (int x = 0; x < got.width; ++x)
                if (!(got.at(x, y) == want.at(x, y)))
                    return ::testing::AssertionFailure()
                           << "not the " << look << " look: pixel (" << x << "," << y
                           << ") differs from bitmap " << bitmapId;
        return ::testing::AssertionSuccess();
    }

    HWND window_ = nullptr;
    ButtonBar bar_;
    LinkBar link_;
    double layoutAndPaintMicroseconds_ = 0;
};

TEST_F(ButtonWindow, BarsSitAroundTheCardAndShowTheirBitmaps) {
    RECT card{};
    GetCardRect(window_, &card);
    RECT bar = bar_.barRect();
    EXPECT_EQ(bar.top, card.top - 28);
    EXPECT_EQ(bar.bottom, card.top - 5);
    EXPECT_EQ(bar.right, card.right);
    struct Span {
        BarButton button;
        int from, to;
        const char* name;
    };
    const Span spans[] = {{kPlayButton, 3, 20, "Play"},
                          {kStopButton, 21, 38, "Stop"},
                          {kTurnButton, 39, 62, "Turn"},
                          {kPrintButton, 63, 86, "Print"},
                          {kCloseButton, 96, 113, "Close"}};
    for (const Span& s : spans) {
        RECT r{};
        bar_.button(s.button).GetButtonRect(&r);
        EXPECT_EQ(r.left - bar.left, s.from) << s.name;
        EXPECT_EQ(r.right - bar.left, s.to) << s.name;
        EXPECT_EQ(r.top, bar.top + 4) << s.name;
        EXPECT_EQ(r.bottom - r.top, 16) << s.name << ": the bitmap's last row stays hidden";
    }
    RECT strip = link_.stripRect();
    EXPECT_EQ(strip.top, card.bottom + 5);
    EXPECT_EQ(strip.bottom - strip.top, 27);
    EXPECT_EQ(strip.right, card.right);
    RECT linkRect{};
    link_.linkButton().GetButtonRect(&linkRect);
    EXPECT_EQ(linkRect.left, strip.right - 114);
    EXPECT_EQ(linkRect.right, strip.right);

    // The screen, photographed from the Linux side, shows the bar's and the
    // strip's own pixels where the layout put them.
    auto shot = testkit::takeScreenshot();
    ASSERT_TRUE(shot) << "no screenshot";
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    struct Piece {
        RECT where;
        int bitmap;
        POINT inBitmap;
        const char* name;
    };
    const Piece pieces[] = {
        {bar, IDB_BUTTON_BAR, {90, 10}, "bar divider"},
        {bar, IDB_BUTTON_BAR, {1, 1}, "bar rim"},
        {strip, IDB_LINK_STRIP, {20, 12}, "logo"},
        {linkRect, IDB_LINK_NORMAL, {30, 12}, "link text"},
    };
    for (const Piece& p : pieces) {
        int w = p.where.right - p.where.left, h = p.where.bottom - p.where.top;
        const testkit::PpmImage want = testkit::resourceBitmapImage(p.bitmap, w, h);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                int x = p.inBitmap.x + dx, y = p.inBitmap.y + dy;
                testkit::Rgb got =
                    shot->at(origin.x + p.where.left + x, origin.y + p.where.top + y);
                EXPECT_TRUE(got == want.at(x, y)) << p.name << " at (" << x << "," << y << ")";
            }
    }
    std::printf("[ figure ] lay out and paint both bars: %.0f us\n", layoutAndPaintMicroseconds_);
}

TEST_F(ButtonWindow, ClickInsideRunsTheActionOnceThroughHoverAndPressedLooks) {
    BitmapButton& play = bar_.button(kPlayButton);
    ASSERT_TRUE(moveTo(centreOf(play)));
    EXPECT_EQ(play.GetState(), kButtonHover);
    EXPECT_TRUE(shows(play, kPlayLooks.hover, "hover"));
    ASSERT_TRUE(pressLeft());
    EXPECT_EQ(play.GetState(), kButtonPressed);
    EXPECT_TRUE(play.IsArmed());
    EXPECT_TRUE(shows(play, kPlayLooks.pressed, "pressed"));
    EXPECT_EQ(gClicks[kPlayButton], 0) << "a press alone is no click";
    ASSERT_TRUE(releaseLeft());
    EXPECT_EQ(gClicks[kPlayButton], 1);
    EXPECT_EQ(play.GetState(), kButtonHover);
    EXPECT_FALSE(play.IsArmed());
    EXPECT_TRUE(shows(play, kPlayLooks.hover, "hover after the click"));
    for (int other :
         {int(kStopButton), int(kTurnButton), int(kPrintButton), int(kCloseButton), kLinkSlot})
        EXPECT_EQ(gClicks[other], 0) << "button " << other;

    ASSERT_TRUE(moveMouseTo(40, 40));
    EXPECT_EQ(play.GetState(), kButtonNormal);
    EXPECT_TRUE(shows(play, kPlayLooks.normal, "normal after leaving"));
    EXPECT_NE(GetCapture(), window_) << "the capture ends away from the buttons";
}

TEST_F(ButtonWindow, PressInsideAndReleaseOutsideRunsNothing) {
    BitmapButton& print = bar_.button(kPrintButton);
    ASSERT_TRUE(moveTo(centreOf(print)));
    ASSERT_TRUE(pressLeft());
    ASSERT_EQ(print.GetState(), kButtonPressed);
    ASSERT_TRUE(moveMouseTo(500, 400));
    EXPECT_EQ(print.GetState(), kButtonNormal) << "leaving while held";
    EXPECT_TRUE(shows(print, kPrintLooks.normal, "normal while held outside"));
    ASSERT_TRUE(releaseLeft());
    EXPECT_EQ(gClicks[kPrintButton], 0);
    EXPECT_FALSE(print.IsArmed()) << "a release anywhere disarms";
    EXPECT_TRUE(shows(print, kPrintLooks.normal, "normal after the release"));

    // Coming back without pressing again only hovers, and a later release
    // over the button is no click either.
    ASSERT_TRUE(moveTo(centreOf(print)));
    EXPECT_EQ(print.GetState(), kButtonHover);
    ASSERT_TRUE(releaseLeft());
    EXPECT_EQ(gClicks[kPrintButton], 0);
}

TEST_F(ButtonWindow, PressLeaveAndReturnShowsPressedAgainAndStillClicks) {
    BitmapButton& print = bar_.button(kPrintButton);
    POINT centre = centreOf(print);
    ASSERT_TRUE(moveTo(centre));
    ASSERT_TRUE(pressLeft());
    ASSERT_TRUE(moveMouseTo(centre.x, centre.y + 60));
    EXPECT_EQ(print.GetState(), kButtonNormal);
    ASSERT_TRUE(moveTo(centre));
    EXPECT_EQ(print.GetState(), kButtonPressed);
    EXPECT_TRUE(shows(print, kPrintLooks.pressed, "pressed on return"));
    ASSERT_TRUE(releaseLeft());
    EXPECT_EQ(gClicks[kPrintButton], 1);
}

TEST_F(ButtonWindow, DisabledButtonIgnoresTheMouseAndKeepsItsLook) {
    BitmapButton& play = bar_.button(kPlayButton);
    bar_.EnablePlay(false);
    pumpMessages(200);  // the invalidated button repaints
    EXPECT_TRUE(shows(play, kPlayLooks.disabled, "disabled"));
    ASSERT_TRUE(moveTo(centreOf(play)));
    ASSERT_TRUE(pressLeft());
    ASSERT_TRUE(releaseLeft());
    ASSERT_TRUE(moveMouseTo(40, 40));
    EXPECT_EQ(play.GetState(), kButtonDisabled);
    EXPECT_EQ(gClicks[kPlayButton], 0);
    EXPECT_TRUE(shows(play, kPlayLooks.disabled, "disabled after a click on it"));

    bar_.EnablePlay(true);
    pumpMessages(200);
    EXPECT_EQ(play.GetState(), kButtonNormal);
    EXPECT_TRUE(shows(play, kPlayLooks.normal, "enabled again"));

    // The variant without invalidating changes the state only; the next move
    // elsewhere repaints an enabled button.
    BitmapButton& stop = bar_.button(kStopButton);
    bar_.EnableStop(false);
    pumpMessages(200);
    bar_.SetStopEnabled(true);
    pumpMessages(200);
    EXPECT_TRUE(shows(stop, IDB_STOP_DISABLED, "not yet repainted"));
    ASSERT_TRUE(moveMouseTo(60, 60));
    EXPECT_TRUE(shows(stop, IDB_STOP_NORMAL, "repainted by the move"));
}

TEST_F(ButtonWindow, LinkShowsTheHandCursorOverItAndTheArrowElsewhere) {
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_CURSOR));
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_TRUE(hand);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    Bitmap mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 5u);
    EXPECT_EQ(BitmapSize(mask.get()).cx, 32);
    EXPECT_FALSE(colour) << "the link cursor is monochrome";

    BitmapButton& link = link_.linkButton();
    POINT centre = centreOf(link);
    ASSERT_TRUE(moveTo(centre));
    EXPECT_EQ(GetCursor(), hand) << "on a move onto the link";
    EXPECT_EQ(link.GetState(), kButtonHover);
    EXPECT_EQ(GetCapture(), window_);
    ASSERT_TRUE(pressLeft());
    EXPECT_EQ(GetCursor(), hand) << "on the press";
    ASSERT_TRUE(releaseLeft());
    EXPECT_EQ(GetCursor(), hand) << "on the release";
    EXPECT_EQ(gClicks[kLinkSlot], 1);

    ASSERT_TRUE(moveMouseTo(centre.x - 200, centre.y));
    EXPECT_EQ(GetCursor(), arrow) << "on the strip left of the link";
    EXPECT_NE(GetCapture(), window_);
    ASSERT_TRUE(moveTo(centreOf(bar_.button(kStopButton))));
    EXPECT_EQ(GetCursor(), arrow) << "over a bar button";
    EXPECT_NE(GetCapture(), window_) << "the link strip ends the bar's capture in the same move";
    EXPECT_EQ(bar_.button(kStopButton).GetState(), kButtonHover);
}

}  // namespace
}  // namespace kz8::player
