// The controls sheet under Wine, told by a recording owner: group buttons,
// commands and LINK, a sound that plays and one that does not, blinking and
// repeating, the scroll bar's thumb, track and step buttons, check boxes and
// radio buttons enabled, disabled and hidden, and a masked button that is
// hit only where its mask is full and shows its blended pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/testing/win32/wine_run.h"
#include "skinui/portable/check_rules.h"
#include "skinui/tests/win32/template_window_support.h"
#include "skinui/win32/owner_messages.h"

namespace kz8::skinui {
namespace {

using kz8::testkit::pumpMessages;
using testkit::Notice;
using testkit::OwnerRecorder;

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

void click(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
    if (IsWindow(window)) SendMessageA(window, WM_LBUTTONUP, 0, at(x, y));
}

class Controls : public testkit::TemplateWindowTest {
protected:
    // The real pointer stays away from the sheet: a move it caused would
    // take buttons out of their pressed state.
    void SetUp() override {
        TemplateWindowTest::SetUp();
        testkit::keepPointerAway();
    }

    HWND openSheet(OwnerRecorder& owner) { return open("controls.dtp", owner, 100, 100); }
    Template& sheet(HWND window) { return library().find(window)->record(); }

    template <typename Control>
    static Control& named(const std::vector<std::unique_ptr<Control>>& controls, const char* name) {
        for (const auto& each : controls)
            if (each->name == name) return *each;
        throw std::runtime_error(name);
    }

    static std::vector<std::pair<UINT, LPARAM>> noticesOf(const OwnerRecorder& owner,
                                                          const char* name) {
        std::vector<std::pair<UINT, LPARAM>> got;
        for (const Notice& n : owner.notices)
            if (n.name == name) got.emplace_back(n.message, n.lParam);
        return got;
    }
};

TEST_F(Controls, GroupButtonsCommandsAndLink) {
    OwnerRecorder owner;
    HWND window = openSheet(owner);
    ASSERT_TRUE(window) << library().lastErrorText;
    Template& record = sheet(window);

    click(window, 20, 60);  // Left, of group 4: clicks on the press
    click(window, 70, 60);  // Right: Left comes up
    EXPECT_EQ(named(record.buttons, "Left").state, kButtonNormal);
    EXPECT_EQ(named(record.buttons, "Right").state, kButtonDown);
    std::vector<WPARAM> actions;
    for (const Notice& n : owner.notices)
        if (n.message == WM_COMMAND) actions.push_back(n.wParam);
    EXPECT_EQ(actions, (std::vector<WPARAM>{31, 32}));

    click(window, 170, 20);  // Disabler: EnableWindow, Round and Box, FALSE
    EXPECT_EQ(named(record.buttons, "Round").state, kButtonInvalid);
    EXPECT_EQ(named(record.checkBoxes, "Box").state, kDisabledUnchecked);

    click(window, 270, 20);  // Linker: the second template at the sheet's place
    ASSERT_EQ(owner.count(kTemplateShownMessage), 2u);
    EXPECT_EQ(noticesOf(owner, "Second").front().first, kTemplateShownMessage);
    RECT second{};
    GetWindowRect(current(), &second);
    EXPECT_EQ(second.left, 100);
    EXPECT_EQ(second.top, 100);

    library().makeCurrent(library().find(window));
    click(window, 220, 20);  // Closer: CloseWindow, Sheet stops the run
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(owner.count(kTemplateDestroyedMessage), 1u);
}

TEST_F(Controls, OwnerClosingTheSheetInsideAnyNoticeEndsTheRouting) {
    const struct {
        UINT message;
        int x, y;
    } cases[] = {{WM_COMMAND, 30, 20},
                 {kButtonPressedMessage, 30, 20},
                 {kCheckClickedMessage, 20, 160},
                 {WM_COMMAND, 20, 60},
                 {kScrollChangedMessage, 150, 110}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        OwnerRecorder owner;
        HWND window = openSheet(owner);
        owner.react = [&](const Notice& n) {
            if (n.message == c.message) DestroyWindow(window);
            return LRESULT(0);
        };
        click(window, c.x, c.y);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(owner.notices.back().message, kNoCurrentTemplateMessage) << "nothing after";
        EXPECT_EQ(library().liveObjects(), baseline());
    }
}

// The sample bytes of a 16-bit PCM WAVE file.
std::vector<uint8_t> waveData(const std::string& file) {
    const auto bytes = kz8::testkit::readFile(testkit::templateFile(file));
    if (!bytes) return {};
    for (size_t i = 12; i + 8 <= bytes->size();) {
        uint32_t size = 0;
        std::memcpy(&size, bytes->data() + i + 4, 4);
        if (std::memcmp(bytes->data() + i, "data", 4) == 0)
            return std::vector<uint8_t>(bytes->begin() + long(i + 8),
                                        bytes->begin() + long(i + 8 + size));
        i += 8 + size + (size & 1);
    }
    return {};
}

TEST_F(Controls, DownSoundPlaysFromTheTemplatesFolderAndInvalidSoundOnlyOnItsButton) {
    OwnerRecorder owner;
    HWND window = openSheet(owner);
    SetCurrentDirectoryA("C:\\");  // the sounds are found beside the template
    click(window, 40, 20);         // Round's right half, where its mask is full
    const std::vector<uint8_t> clickSound = waveData("click.wav");
    ASSERT_FALSE(clickSound.empty());
    std::vector<uint8_t> played = kz8::testkit::capturedPcm();
    ASSERT_GE(played.size(), clickSound.size());
    EXPECT_TRUE(std::equal(clickSound.begin(), clickSound.end(), played.begin()))
        << "the WAV's samples";

    named(sheet(window).buttons, "Round").state = kButtonInvalid;
    const size_t before = kz8::testkit::capturedPcm().size();
    click(window, 300, 200);  // elsewhere: no buzz
    EXPECT_EQ(kz8::testkit::capturedPcm().size(), before);
    click(window, 40, 20);  // on the disabled button: the buzz
    const std::vector<uint8_t> buzz = waveData("buzz.wav");
    played = kz8::testkit::capturedPcm();
    ASSERT_GE(played.size(), buzz.size());
    EXPECT_TRUE(std::equal(buzz.begin(), buzz.end(), played.begin()));
}

TEST_F(Controls, BlinkingSkipsDisabledButtonsAndRepeatingStopsOnRelease) {
    OwnerRecorder owner;
    HWND window = openSheet(owner);
    Button& blinker = named(sheet(window).buttons, "Blinker");
    SendMessageA(window, WM_TIMER, kBlinkTimer, 0);
    EXPECT_EQ(blinker.state, kButtonRoll);
    SendMessageA(window, WM_TIMER, kBlinkTimer, 0);
    EXPECT_EQ(blinker.state, kButtonNormal);
    blinker.state = kButtonInvalid;
    SendMessageA(window, WM_TIMER, kBlinkTimer, 0);
    EXPECT_EQ(blinker.state, kButtonInvalid) << "blinking must not enable it";

    // Held with the real pointer: the press's focus change refreshes the
    // hover state from where the pointer really is.
    ASSERT_TRUE(kz8::testkit::moveMouseTo(100 + 120, 100 + 20));
    ASSERT_TRUE(kz8::testkit::pressLeft());
    pumpMessages(700);
    const size_t held = owner.count(WM_COMMAND);
    EXPECT_GE(held, 2u) << "every 200 ms while held";
    ASSERT_TRUE(kz8::testkit::releaseLeft());
    const size_t released = owner.count(WM_COMMAND);
    pumpMessages(500);
    EXPECT_EQ(owner.count(WM_COMMAND), released) << "none after the release";
}

TEST_F(Controls, ScrollBarThumbTrackAndStepButtons) {
    OwnerRecorder owner;
    HWND window = openSheet(owner);
    ScrollBar& level = named(sheet(window).scrollBars, "Level");
    EXPECT_EQ(noticesOf(owner, "Level"),
              (std::vector<std::pair<UINT, LPARAM>>{{kScrollChangedMessage, 0}}))
        << "the creation step reports the minimum";
    EXPECT_EQ(level.thumb->thumbRect, (Rect{60, 102, 76, 122}));
    owner.notices.clear();

    // Drag the thumb from its place at 0: positions follow the track, a move
    // out of the enlarged track is ignored, the release reports.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at(65, 110));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(160, 110));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(160, 110 + 60));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at(221, 115));
    SendMessageA(window, WM_LBUTTONUP, 0, at(221, 115));
    EXPECT_EQ(noticesOf(owner, "Level"),
              (std::vector<std::pair<UINT, LPARAM>>{
                  {kScrollSetMessage, 5}, {kScrollSetMessage, 8}, {kScrollChangedMessage, 8}}));
    owner.notices.clear();

    click(window, 80, 110);   // the track: a jump to 1
    click(window, 290, 110);  // Plus
    EXPECT_EQ(level.position, 2);
    level.position = 10;
    click(window, 290, 110);  // Plus at the maximum stays, and still reports
    click(window, 20, 110);   // Minus
    EXPECT_EQ(noticesOf(owner, "Level"),
              (std::vector<std::pair<UINT, LPARAM>>{{kScrollSetMessage, 1},
                                                    {kScrollChangedMessage, 1},
                                                    {kScrollSetMessage, 2},
                                                    {kScrollChangedMessage, 2},
                                                    {kScrollSetMessage, 10},
                                                    {kScrollChangedMessage, 10},
                                                    {kScrollSetMessage, 9},
                                                    {kScrollChangedMessage, 9}}));
    EXPECT_EQ(owner.count(WM_COMMAND), 0u) << "step buttons do not tell the owner";
}

TEST_F(Controls, CheckBoxesAndRadioButtonsEnabledDisabledAndHidden) {
    OwnerRecorder owner;
    HWND window = openSheet(owner);
    Template& record = sheet(window);
    CheckBox& box = named(record.checkBoxes, "Box");
    RadioButton &slow = named(record.radioButtons, "Slow"),
                &quick = named(record.radioButtons, "Quick");
    EXPECT_EQ(slow.state, kChecked) << "DEFAULTBUTTON";

    click(window, 20, 160);
    click(window, 120, 160);
    click(window, 120, 160);  // the checked one again: nothing
    EXPECT_EQ(box.state, kChecked);
    EXPECT_EQ(quick.state, kChecked);
    EXPECT_EQ(slow.state, kUnchecked);

    box.state = kDisabledChecked;
    slow.state = kDisabledUnchecked;
    click(window, 20, 160);  // a disabled box keeps its state and still reports
    click(window, 70, 160);  // a disabled radio button does nothing
    EXPECT_EQ(box.state, kDisabledChecked);
    EXPECT_EQ(slow.state, kDisabledUnchecked);
    box.hidden = quick.hidden = 1;
    box.state = kUnchecked;
    click(window, 20, 160);
    EXPECT_EQ(box.state, kUnchecked) << "hidden: no press";

    EXPECT_EQ(noticesOf(owner, "Box"), (std::vector<std::pair<UINT, LPARAM>>{
                                           {kCheckClickedMessage, 1}, {kCheckClickedMessage, 1}}));
    EXPECT_EQ(noticesOf(owner, "Quick"),
              (std::vector<std::pair<UINT, LPARAM>>{{kRadioCheckedMessage, 2}}));
    EXPECT_TRUE(noticesOf(owner, "Slow").empty());
}

TEST_F(Controls, MaskedButtonIsHitOnlyWhereItsMaskIsFullAndShowsTheBlendClipRectCutsOut) {
    OwnerRecorder owner;
    HWND window = openSheet(owner);
    click(window, 10 + 19, 20);  // the mask's 128 column
    click(window, 10 + 5, 20);   // its 0 half
    EXPECT_EQ(owner.count(WM_COMMAND), 0u);
    click(window, 10 + 20, 20);
    EXPECT_EQ(owner.count(WM_COMMAND), 1u);

    pumpMessages(100);
    const auto screen = kz8::testkit::captureScreen();
    const kz8::testkit::Rgb face = testkit::bitmapPixel("round.bmp", 0, 0),
                            ground = testkit::bitmapPixel("sheet_bg.bmp", 0, 0);
    EXPECT_EQ(screen.at(100 + 10 + 5, 100 + 20), ground) << "mask 0: the background";
    EXPECT_EQ(screen.at(100 + 10 + 30, 100 + 20), face) << "mask 255: the picture";
    const kz8::testkit::Rgb half = screen.at(100 + 10 + 19, 100 + 20);
    // K = floor(128 * 256 / 255) = 128: (128 face + 128 ground) / 256.
    EXPECT_EQ(half.r, (128 * face.r + 128 * ground.r) / 256);
    EXPECT_EQ(half.g, (128 * face.g + 128 * ground.g) / 256);

    const kz8::testkit::Rgb clipped = testkit::bitmapPixel("clipped.bmp", 0, 0);
    EXPECT_EQ(screen.at(100 + 115, 100 + 60), clipped);
    EXPECT_EQ(screen.at(100 + 140, 100 + 60), ground) << "CLIPRECT leaves its part alone";
}

}  // namespace
}  // namespace kz8::skinui
