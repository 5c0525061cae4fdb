// Template windows as the screen shows them, with the real pointer of
// xdotool: where the background lands, a hidden template, dragging by the
// move strip, the cursors of the template's files and the tooltip.
#include <gtest/gtest.h>

#include <cmath>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "skinui/portable/tooltip_layout.h"
#include "skinui/tests/win32/template_window_support.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_classes.h"
#include "skinui/win32/template_loading.h"

namespace kz8::skinui {
namespace {

using kz8::testkit::captureScreen;
using kz8::testkit::moveMouseTo;
using kz8::testkit::pumpMessages;
using kz8::testkit::Rgb;
using testkit::bitmapPixel;
using testkit::OwnerRecorder;

class TemplateScreen : public testkit::TemplateWindowTest {};

RECT frameOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

Rgb screenAt(int x, int y) {
    pumpMessages(100);
    return captureScreen().at(x, y);
}

TEST_F(TemplateScreen, BackgroundAtItsPlaceCentredOnTheParentOrScreenAndChildAtXY) {
    const Rgb background = bitmapPixel("window_bg.bmp", 200, 200);
    OwnerRecorder hidden;
    HWND placed = open("window.dtp", hidden, 30, 40);
    EXPECT_EQ(frameOf(placed).left, 30);
    EXPECT_EQ(frameOf(placed).right - frameOf(placed).left, 400) << "the background's size";
    EXPECT_EQ(screenAt(30 + 200, 40 + 200), background);
    DestroyWindow(placed);

    // Placement 1: the parent's client area on the screen, away from the origin.
    OwnerRecorder parent(RECT{500, 300, 1000, 700});
    HWND centred = open("window.dtp", parent, 0, 0, 1);
    EXPECT_EQ(frameOf(centred).left, 500 + 250 - 200);
    EXPECT_EQ(frameOf(centred).top, 300 + 200 - 120);
    EXPECT_EQ(screenAt(frameOf(centred).left + 200, frameOf(centred).top + 200), background);
    HWND onScreen = open("window.dtp", hidden, 0, 0, 1);
    EXPECT_EQ(frameOf(onScreen).left, GetSystemMetrics(SM_CXSCREEN) / 2 - 200);
    DestroyWindow(centred);
    DestroyWindow(onScreen);

    HWND child = openChildTemplate(parent.window(), hidden.window(),
                                   testkit::windowTemplateText().c_str(), 30, 40);
    ASSERT_TRUE(child);
    EXPECT_EQ(GetParent(child), parent.window());
    EXPECT_EQ(frameOf(child).left, 500 + 30);
    EXPECT_EQ(frameOf(child).top, 300 + 40);
    EXPECT_EQ(screenAt(500 + 30 + 200, 300 + 40 + 200), background);
    EXPECT_EQ(hidden.count(kTemplateShownMessage), 2u) << "none for the child";
    EXPECT_EQ(parent.count(kTemplateShownMessage), 1u);
}

TEST_F(TemplateScreen, HiddenTemplatePaintsNothingAndItsPaintEnds) {
    OwnerRecorder parent(RECT{100, 100, 600, 500});
    const Rgb grey = screenAt(300, 300);
    HWND hidden = openChildTemplate(parent.window(), parent.window(),
                                    ("[TEMPLATE]\nNAME = Hidden\nISHIDE = 1\nFILENAME = " +
                                     testkit::fixtureTemplatesFromModule() + "window_bg.bmp\n")
                                        .c_str(),
                                    0, 0);
    ASSERT_TRUE(hidden);
    InvalidateRect(hidden, nullptr, FALSE);
    EXPECT_EQ(screenAt(300, 300), grey) << "the owner's grey, not the background";
    MSG pending;
    EXPECT_FALSE(PeekMessageA(&pending, hidden, WM_PAINT, WM_PAINT, PM_NOREMOVE))
        << "its paint keeps coming back";
}

TEST_F(TemplateScreen, PressInTheMoveStripDragsByThePointerOffset) {
    OwnerRecorder owner;
    HWND window = open("window.dtp", owner, 100, 100);
    ASSERT_TRUE(moveMouseTo(300, 110));
    ASSERT_TRUE(kz8::testkit::pressLeft());
    for (int step = 1; step <= 4; ++step) ASSERT_TRUE(moveMouseTo(300 + 9 * step, 110 + 5 * step));
    ASSERT_TRUE(kz8::testkit::releaseLeft());
    pumpMessages(100);
    EXPECT_EQ(frameOf(window).left, 100 + 36);
    EXPECT_EQ(frameOf(window).top, 100 + 20);
    EXPECT_EQ(library().find(window)->record().state, 1) << "released: no longer dragged";
}

// The AND and XOR bits of a cursor, to tell cursors apart by their looks.
std::vector<uint8_t> cursorBits(HCURSOR cursor) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return {};
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    std::vector<uint8_t> bits(size_t(mask.bmWidthBytes) * mask.bmHeight);
    GetBitmapBits(info.hbmMask, LONG(bits.size()), bits.data());
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return bits;
}

TEST_F(TemplateScreen, CursorsComeFromTheTemplatesFiles) {
    HCURSOR arrowFile = LoadCursorFromFileA(testkit::templateFile("arrow.cur").c_str());
    HCURSOR handFile = LoadCursorFromFileA(testkit::templateFile("hand.cur").c_str());
    ASSERT_NE(cursorBits(arrowFile), cursorBits(handFile));
    OwnerRecorder owner;
    open("window.dtp", owner, 100, 100);
    ASSERT_TRUE(moveMouseTo(300, 250));
    pumpMessages(100);
    EXPECT_EQ(cursorBits(GetCursor()), cursorBits(arrowFile)) << "over the template";
    ASSERT_TRUE(moveMouseTo(100 + 30, 100 + 110));
    pumpMessages(100);
    EXPECT_EQ(cursorBits(GetCursor()), cursorBits(handFile)) << "over its button";

    HWND plain = open("minimal.dtp", owner, 600, 100);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(moveMouseTo(700, 150));
    pumpMessages(100);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW)) << "no cursor file: the arrow";
    DestroyCursor(arrowFile);
    DestroyCursor(handFile);
}

TEST_F(TemplateScreen, TipInTahomaSizedByTheRuleInsideItsTemplateWithoutActivation) {
    OwnerRecorder owner;
    HWND window = open("window.dtp", owner, 100, 100);
    SetForegroundWindow(window);
    ASSERT_TRUE(moveMouseTo(300, 250));
    const HWND active = GetActiveWindow(), focus = GetFocus();
    ASSERT_TRUE(moveMouseTo(100 + 30, 100 + 110));
    pumpMessages(100);
    const TooltipWindow* tip = library().find(window)->tip();
    ASSERT_TRUE(tip) << "no tip over the button";
    EXPECT_EQ(GetWindow(tip->window(), GW_OWNER), window);
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(owner.count(kFocusLostMessage), 0u);

    // Measured here with a font made the same way.
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, 350, 0, 0, 0, 0, 0, 0, PROOF_QUALITY, 0, "Tahoma");
    HGDIOBJ previous = SelectObject(screen, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, sizeof face, face);
    EXPECT_STREQ(face, "Tahoma");
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    auto width = [&](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(screen, text.data(), int(text.size()), &size);
        return int(size.cx);
    };
    const std::string text = "Send the card to every name in the book";
    std::vector<int> widths;
    for (const auto& line :
         breakTipText(text, width(text), metrics.tmHeight + metrics.tmExternalLeading, nullptr))
        widths.push_back(width(line));
    EXPECT_EQ(widths.size(), 2u);
    const Rect expected = tipSize(widths, TipMetrics{metrics.tmHeight, metrics.tmExternalLeading});
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);

    const RECT shown = frameOf(tip->window()), around = frameOf(window);
    EXPECT_EQ(shown.right - shown.left, expected.width());
    EXPECT_EQ(shown.bottom - shown.top, expected.height());
    EXPECT_EQ(shown.left, 100 + 40) << "below the button's centre";
    EXPECT_EQ(shown.top, 100 + 112 + 18);
    EXPECT_TRUE(shown.left >= around.left && shown.right <= around.right &&
                shown.bottom <= around.bottom);
    const HWND tipWindow = tip->window();
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(tipWindow)) << "it goes with its template";
}

}  // namespace
}  // namespace kz8::skinui
