// Plain list boxes under Wine: their layout with the bar's range, lines in
// their colours with the roll line, clicks with Ctrl and Shift and their
// notices, the bar and its step buttons moving the top line, and fonts.
#include <gtest/gtest.h>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "skinui/tests/win32/template_window_support.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/owner_messages.h"

namespace kz8::skinui {
namespace {

using kz8::testkit::Rgb;
using testkit::OwnerRecorder;

constexpr int kAt = testkit::SheetTest::kAt;

// Whether any pixel of the long list's drawn line has this colour.
bool lineShows(const kz8::testkit::PpmImage& screen, int line, Rgb colour) {
    const int top = kAt + 10 + line * 11;
    for (int y = top; y < top + 10; ++y)
        for (int x = kAt + 12; x < kAt + 120; ++x)
            if (screen.at(x, y) == colour) return true;
    return false;
}

void holdKey(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class Lists : public testkit::SheetTest {
protected:
    Lists() : SheetTest("lists.dtp") {}
    ListBox& list(size_t i) { return *library().find(sheet)->record().listBoxes[i]; }
    ScrollBar& bar() { return *library().find(sheet)->record().scrollBars[0]; }
    void click(int x, int y) {
        SendMessageA(sheet, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(sheet, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void clickLine(int line) { click(50, 10 + line * 11 + 5); }
};

TEST_F(Lists, LayoutLinesColoursAndTheRollLine) {
    EXPECT_EQ(bar().maximum, 15 - 11) << "11 of 15 lines fit";
    EXPECT_EQ(list(1).lineHeight, 14);
    clickLine(1);
    // The press's focus change posts a move from the real pointer: let it
    // pass before the pointer is put over line 3.
    kz8::testkit::pumpMessages(100);
    SendMessageA(sheet, WM_MOUSEMOVE, 0, MAKELPARAM(50, 10 + 3 * 11 + 5));
    kz8::testkit::pumpMessages(100);
    const auto screen = kz8::testkit::captureScreen();
    EXPECT_TRUE(lineShows(screen, 0, Rgb{255, 255, 255})) << "NORMALCOLOR";
    EXPECT_TRUE(lineShows(screen, 1, Rgb{255, 0, 0})) << "SELECTCOLOR";
    EXPECT_FALSE(lineShows(screen, 1, Rgb{255, 255, 255}));
    EXPECT_TRUE(lineShows(screen, 3, Rgb{0, 255, 0})) << "ROLLCOLOR";
    EXPECT_EQ(list(0).rollLine, 3);
    SendMessageA(sheet, WM_MOUSEMOVE, 0, MAKELPARAM(300, 10));
    EXPECT_EQ(list(0).rollLine, -1) << "leaving the list";
}

TEST_F(Lists, ControlAndShiftClicksSelectAsTheyShouldAndReport) {
    clickLine(1);
    holdKey(VK_CONTROL, true);
    clickLine(3);
    holdKey(VK_CONTROL, false);
    holdKey(VK_SHIFT, true);
    clickLine(5);
    holdKey(VK_SHIFT, false);
    std::vector<size_t> picked;
    for (auto i = list(0).items.firstSelected(); i; i = list(0).items.nextSelected(*i))
        picked.push_back(*i);
    EXPECT_EQ(picked, (std::vector<size_t>{3, 4, 5}));
    EXPECT_EQ(owner.count(kListClickedMessage), 3u);
    click(50, 130);  // between the lists: nothing
    EXPECT_EQ(owner.count(kListClickedMessage), 3u);
}

TEST_F(Lists, TheBarAndItsStepButtonsMoveTheTopLine) {
    click(250, 160);  // Down
    click(250, 160);
    EXPECT_EQ(list(0).topLine, 2);
    clickLine(0);
    EXPECT_TRUE(list(0).items.at(2).selected) << "line 0 is item 2 now";
    click(250, 139);  // the track's end
    EXPECT_EQ(list(0).topLine, 4);
    click(250, 20);  // Up
    EXPECT_EQ(list(0).topLine, 3);
    EXPECT_TRUE(showListItem(*library().find(sheet), list(0), "00 ANN"));
    EXPECT_EQ(list(0).topLine, 0);
}

TEST_F(Lists, ItemOperationsKeepTheBarAndTopLineRight) {
    TemplateWindow& window = *library().find(sheet);
    ASSERT_TRUE(addListItem(window, list(0), "15 Pat"));
    ASSERT_TRUE(insertListItem(window, list(0), 0, "inserted"));
    EXPECT_EQ(list(0).items.at(1).text, "inserted") << "at 0: after the first";
    EXPECT_EQ(bar().maximum, 17 - 11);
    EXPECT_FALSE(addListItem(window, list(0), std::string(256, 'x')));
    click(250, 160);  // Down: top line 1
    ASSERT_EQ(list(0).topLine, 1);
    while (list(0).items.count() > 11) ASSERT_TRUE(removeListItem(window, list(0), 0));
    EXPECT_EQ(list(0).topLine, 0) << "everything fits again";
    EXPECT_EQ(bar().state, 0) << "the bar is off";
    EXPECT_TRUE(deleteListItem(window, list(0), "15 Pat"));
    EXPECT_FALSE(deleteListItem(window, list(0), "15 PAT"));
    sortListItems(window, list(0), false);
    EXPECT_EQ(list(0).items.at(0).text, "14 Ola");
    removeAllListItems(window, list(0));
    EXPECT_TRUE(list(0).items.empty());
}

TEST_F(Lists, AFontHigherThanTheLinesIsRefused) {
    LOGFONTA font{};
    font.lfHeight = 30;
    lstrcpyA(font.lfFaceName, "Tahoma");
    TemplateWindow& window = *library().find(sheet);
    EXPECT_FALSE(setListFont(window, list(1), font));
    font.lfHeight = 9;
    EXPECT_TRUE(setListFont(window, list(1), font));
    LOGFONTA kept{};
    GetObjectA(window.listFont(list(1)), sizeof kept, &kept);
    EXPECT_EQ(kept.lfHeight, 9);
}

}  // namespace
}  // namespace kz8::skinui
