// A combo box under Wine: its toggle opens the popup list at BACKRECT, a
// line click chooses with 3085 and 3084 and fills the edit box, the popup's
// own bar scrolls it without closing it, and an outside click or the loss
// of the focus closes it with the bar back where it was.
#include <gtest/gtest.h>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "skinui/tests/win32/template_window_support.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/popup_list.h"

namespace kz8::skinui {
namespace {

using testkit::Notice;
using testkit::OwnerRecorder;

constexpr int kAt = testkit::SheetTest::kAt;
constexpr int kBackLeft = 280, kBackTop = 10;  // the popup's BACKRECT corner

class Combo : public testkit::SheetTest {
protected:
    Combo() : SheetTest("lists.dtp") {}
    void SetUp() override {
        SheetTest::SetUp();
        owner.react = [this](const Notice& n) {
            if (n.message == kComboChoosingMessage || n.message == kComboChosenMessage)
                chosen.push_back(std::to_string(n.message) + " " +
                                 reinterpret_cast<const char*>(n.lParam));
            return LRESULT(0);
        };
    }
    PopupList& popup() { return *library().find(sheet)->popupLists().front(); }
    ScrollBar& bar() { return *library().find(sheet)->record().scrollBars[1]; }
    std::string editText() {
        char text[64] = {};
        GetWindowTextA(library().find(sheet)->editWindowOf("Lists_Edit")->window(), text, 64);
        return text;
    }
    void openCombo() {
        SendMessageA(sheet, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 218));
        SendMessageA(sheet, WM_LBUTTONUP, 0, MAKELPARAM(250, 218));
    }
    // A click in the popup at template coordinates.
    void clickPopup(int x, int y) {
        const LPARAM at = MAKELPARAM(x - kBackLeft, y - kBackTop);
        SendMessageA(popup().window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(popup().window(), WM_LBUTTONUP, 0, at);
    }

    std::vector<std::string> chosen;
};

TEST_F(Combo, ToggleOpensAtBackRectAndALineIsChosen) {
    EXPECT_FALSE(popup().isOpen());
    openCombo();
    ASSERT_TRUE(popup().isOpen());
    RECT at{};
    GetWindowRect(popup().window(), &at);
    EXPECT_EQ(at.left, kAt + kBackLeft);
    EXPECT_EQ(at.top, kAt + kBackTop);
    EXPECT_EQ(at.right - at.left, 110);
    kz8::testkit::pumpMessages(200);
    const auto screen = kz8::testkit::captureScreen();
    // Its background picture, beside the lines and left of its bar.
    EXPECT_EQ(screen.at(kAt + kBackLeft + 85, kAt + kBackTop + 115),
              testkit::bitmapPixel("pop_back.bmp", 85, 115));

    clickPopup(300, 12 + 2 * 11 + 5);  // line 2
    EXPECT_FALSE(popup().isOpen());
    EXPECT_EQ(chosen, (std::vector<std::string>{"3085 Mail 2", "3084 Mail 2"}));
    EXPECT_EQ(editText(), "Mail 2");

    SetWindowTextA(library().find(sheet)->editWindowOf("Lists_Edit")->window(), "");
    openCombo();
    clickPopup(300, 12 + 2 * 11 + 5);  // the same line: the text, no notices
    EXPECT_EQ(chosen.size(), 2u);
    EXPECT_EQ(editText(), "Mail 2");
}

TEST_F(Combo, ItsBarScrollsItAndAnOutsideClickPutsTheBarBack) {
    openCombo();
    ASSERT_EQ(bar().maximum, 20 - 11);
    const LPARAM knob = MAKELPARAM(380 - kBackLeft, bar().thumb->thumbRect.top + 2 - kBackTop);
    SendMessageA(popup().window(), WM_LBUTTONDOWN, MK_LBUTTON, knob);
    SendMessageA(popup().window(), WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(380 - kBackLeft, 70 - kBackTop));
    SendMessageA(popup().window(), WM_LBUTTONUP, 0, MAKELPARAM(380 - kBackLeft, 70 - kBackTop));
    EXPECT_TRUE(popup().isOpen()) << "dragging its bar keeps it open";
    EXPECT_EQ(bar().position, 5) << "the middle of 0..9";
    EXPECT_EQ(popup().list().topLine, 5);
    clickPopup(380, 120);  // its step button
    EXPECT_EQ(bar().position, 6);
    EXPECT_TRUE(popup().isOpen());

    clickPopup(281, 11);  // inside the popup, beside the lines
    EXPECT_FALSE(popup().isOpen());
    EXPECT_EQ(bar().position, 0) << "back where it was when it opened";
    EXPECT_TRUE(chosen.empty());
}

TEST_F(Combo, OpenedWithTheRealPointerItShowsItsPicture) {
    ASSERT_TRUE(kz8::testkit::moveMouseTo(kAt + 250, kAt + 218));
    ASSERT_TRUE(kz8::testkit::pressLeft());
    ASSERT_TRUE(kz8::testkit::releaseLeft());
    kz8::testkit::pumpMessages(300);
    ASSERT_TRUE(popup().isOpen());
    // Read back through Wine from the X screen. Not with `xwd -root`: it
    // shows a window that lies wholly inside another one black, although
    // the screen holds its pixels (ImageMagick's `import` shows them).
    const auto screen = kz8::testkit::captureScreen();
    EXPECT_EQ(screen.at(kAt + kBackLeft + 85, kAt + kBackTop + 115),
              testkit::bitmapPixel("pop_back.bmp", 85, 115));
}

TEST_F(Combo, LosingTheFocusClosesItWithoutAChoice) {
    openCombo();
    ASSERT_TRUE(popup().isOpen());
    SetFocus(sheet);
    EXPECT_FALSE(popup().isOpen());
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(editText(), "");
}

}  // namespace
}  // namespace kz8::skinui
