// Template windows under Wine, told by a recording owner: the current
// template and the notices as templates close, refused and pending closes,
// failed creates, an owner that destroys a template inside a notification,
// registering again, forwarding, and what 100 open/close cycles leave.
#include <gtest/gtest.h>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/mouse_driver.h"
#include "skinui/include/vexil2.h"
#include "skinui/tests/win32/owner_recorder.h"
#include "skinui/tests/win32/template_window_support.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_classes.h"

namespace kz8::skinui {
namespace {

using testkit::Notice;
using testkit::OwnerRecorder;
using testkit::windowTemplateText;
using testkit::without;
using testkit::writeTempTemplate;

const LPARAM kOnButton = MAKELPARAM(30, 110);  // inside the Go button of window.dtp

void clickAt(HWND window, LPARAM point) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    if (IsWindow(window)) SendMessageA(window, WM_LBUTTONUP, 0, point);
}

class TemplateWindows : public testkit::TemplateWindowTest {};

TEST_F(TemplateWindows, ClosingHeadMiddleAndLastMovesTheCurrentTemplate) {
    OwnerRecorder owner;
    HWND a = open("window.dtp", owner), b = open("window.dtp", owner),
         c = open("window.dtp", owner);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(current(), c) << "the newest is current";

    library().makeCurrent(library().find(a));
    SendMessageA(a, WM_CLOSE, 0, 0);  // the head: its successor
    EXPECT_EQ(current(), b);
    HWND d = open("window.dtp", owner);
    library().makeCurrent(library().find(c));
    SendMessageA(c, WM_CLOSE, 0, 0);  // the middle of b, c, d: its predecessor
    EXPECT_EQ(current(), b);
    library().makeCurrent(library().find(d));
    SendMessageA(d, WM_CLOSE, 0, 0);  // the last: its predecessor
    EXPECT_EQ(current(), b);
    EXPECT_EQ(owner.count(kNoCurrentTemplateMessage), 0u);
    SendMessageA(b, WM_CLOSE, 0, 0);
    EXPECT_EQ(current(), nullptr);

    const std::vector<UINT> closing = {kCloseAskedMessage, kTemplateDestroyedMessage};
    std::vector<UINT> expected = {kTemplateShownMessage, kTemplateShownMessage,
                                  kTemplateShownMessage};
    for (UINT m : closing) expected.push_back(m);  // a
    expected.push_back(kTemplateShownMessage);     // d
    for (int i = 0; i < 3; ++i)
        for (UINT m : closing) expected.push_back(m);  // c, d, b
    expected.push_back(kNoCurrentTemplateMessage);
    EXPECT_EQ(without(owner.messages(), kFocusLostMessage), expected);
    EXPECT_EQ(owner.notices.front().name, "Main");
}

TEST_F(TemplateWindows, RefusedCloseKeepsTheWindowAndThePendingCloseIsTriedAtEveryRelease) {
    OwnerRecorder owner;
    owner.closeAnswer = 1;
    HWND kept = open("window.dtp", owner), other = open("window.dtp", owner);
    SendMessageA(kept, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(kept));

    library().markForClosing(library().find(kept));
    for (int release = 0; release < 2; ++release) {
        SendMessageA(other, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
        EXPECT_TRUE(IsWindow(kept));
    }
    EXPECT_EQ(owner.count(kCloseAskedMessage), 3u) << "once asked, then at both releases";
    owner.closeAnswer = 0;
    SendMessageA(other, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    EXPECT_FALSE(IsWindow(kept));
    EXPECT_EQ(library().pendingClose(), nullptr);

    // A marked template destroyed another way: later releases send nothing.
    HWND marked = open("window.dtp", owner);
    library().markForClosing(library().find(marked));
    DestroyWindow(marked);
    const size_t asked = owner.count(kCloseAskedMessage);
    SendMessageA(other, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(owner.count(kCloseAskedMessage), asked);
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(TemplateWindows, FailedCreatesSendNothingAndLeaveTheOthersWorking) {
    OwnerRecorder owner;
    HWND working = open("window.dtp", owner);
    const size_t before = owner.notices.size();

    const std::string noBackground =
        writeTempTemplate("[TEMPLATE]\nNAME = Lost\nFILENAME = none.bmp\n");
    EXPECT_FALSE(openTemplateWindow(owner.window(), WS_POPUP, noBackground, 0, 0, 0));
    EXPECT_EQ(library().lastErrorText.rfind("ERROR! ID=2 LINE=3 ", 0), 0u)
        << library().lastErrorText;
    EXPECT_FALSE(openChildTemplate(nullptr, owner.window(), windowTemplateText().c_str(), 0, 0))
        << "a child needs a parent";
    EXPECT_EQ(owner.notices.size(), before);
    EXPECT_EQ(library().templates().size(), 1u);

    EXPECT_EQ(SendMessageA(working, WM_USER + 5, 0, 0), 0) << "still answering";
    owner.react = [](const Notice& n) { return n.message == WM_USER + 5 ? LRESULT(42) : 0; };
    EXPECT_EQ(SendMessageA(working, WM_USER + 5, 0, 0), 42);
    clickAt(working, kOnButton);
    EXPECT_EQ(owner.count(WM_COMMAND), 1u) << "its button still clicks";
}

TEST_F(TemplateWindows, OwnerMayDestroyTheTemplateInsideAnyNotification) {
    const UINT triggers[] = {kTemplatePressedMessage, kButtonPressedMessage, WM_COMMAND,
                             kCloseAskedMessage};
    for (UINT trigger : triggers) {
        SCOPED_TRACE(trigger);
        OwnerRecorder owner;
        HWND window = open("window.dtp", owner);
        owner.react = [&](const Notice& n) {
            if (n.message == trigger) DestroyWindow(window);
            return LRESULT(0);
        };
        clickAt(window, kOnButton);
        if (IsWindow(window)) SendMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(window));
        const std::vector<UINT> got = without(owner.messages(), kFocusLostMessage);
        ASSERT_GE(got.size(), 2u);
        EXPECT_EQ(got[got.size() - 2], kTemplateDestroyedMessage) << "nothing after it";
        EXPECT_EQ(got.back(), kNoCurrentTemplateMessage);
        EXPECT_EQ(owner.count(kTemplateDestroyedMessage), 1u);
        EXPECT_EQ(library().liveObjects(), baseline());
    }
}

TEST_F(TemplateWindows, UnregisteredClassesCanBeRegisteredAgain) {
    library().unregisterClasses();
    WNDCLASSA cls{};
    for (const char* name : {kTemplateWindowClass, kTipsClass, kPopupListClass})
        EXPECT_FALSE(GetClassInfoA(library().moduleInstance(), name, &cls)) << name;
    ASSERT_TRUE(library().initialise());
    EXPECT_TRUE(library().initialise()) << "a second call succeeds at once";
    OwnerRecorder owner;
    EXPECT_TRUE(open("window.dtp", owner));
    EXPECT_EQ(library().languageName(), "English") << "the harness pins the locale";
    EXPECT_EQ(library().charSet(), 0);
}

TEST_F(TemplateWindows, ForwardsToTheOwnerAndReturnsItsAnswers) {
    OwnerRecorder owner;
    HWND window = open("window.dtp", owner);
    owner.react = [](const Notice& n) { return LRESULT(n.message == WM_CHAR ? 0 : n.message + 1); };
    EXPECT_EQ(SendMessageA(window, WM_USER + 77, 1, 2), WM_USER + 78);
    EXPECT_EQ(SendMessageA(window, WM_COMMAND, 5, 0), WM_COMMAND + 1);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0), WM_SYSCOMMAND + 1);
    SendMessageA(window, WM_CHAR, 'k', 0);
    SendMessageA(window, WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(owner.count(WM_CHAR), 1u);
    EXPECT_EQ(owner.count(WM_KEYDOWN), 1u);
    EXPECT_EQ(owner.count(WM_NOTIFY), 0u);
}

TEST_F(TemplateWindows, DisabledTemplateIgnoresTheMouseButStillReportsPresses) {
    OwnerRecorder owner;
    HWND window = open("window.dtp", owner);
    library().find(window)->record().state = 0;
    clickAt(window, kOnButton);
    EXPECT_EQ(owner.count(kTemplatePressedMessage), 1u);
    EXPECT_EQ(owner.notices.back().lParam, kOnButton);
    EXPECT_EQ(owner.count(kButtonPressedMessage) + owner.count(WM_COMMAND), 0u);

    library().find(window)->record().state = 1;
    clickAt(window, kOnButton);
    EXPECT_EQ(owner.count(kButtonPressedMessage), 1u);
    EXPECT_EQ(owner.count(WM_COMMAND), 1u);
    EXPECT_EQ(owner.notices.back().wParam, 12u) << "the button's ACTION";
}

TEST_F(TemplateWindows, HundredCyclesWithCursorsAndTipsLeaveNothingAlive) {
    OwnerRecorder owner;
    std::vector<HCURSOR> cursors;
    std::vector<HWND> tips;
    std::vector<HFONT> fonts;
    for (int cycle = 0; cycle < 100; ++cycle) {
        HWND window = open("window.dtp", owner);
        ASSERT_TRUE(window);
        SetForegroundWindow(window);
        SendMessageA(window, WM_MOUSEMOVE, 0, kOnButton);
        TemplateWindow* shown = library().find(window);
        ASSERT_TRUE(shown->showsTip()) << "cycle " << cycle;
        tips.push_back(shown->tip()->window());
        fonts.push_back(shown->tip()->font());
        cursors.push_back(shown->templateCursor());
        cursors.push_back(shown->buttonCursor());
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(library().liveObjects(), baseline());
    for (HWND tip : tips) EXPECT_FALSE(IsWindow(tip));
    for (HFONT font : fonts) EXPECT_EQ(GetObjectType(font), 0u);
    ICONINFO info{};
    for (HCURSOR cursor : cursors) EXPECT_FALSE(GetIconInfo(cursor, &info));
}

// The library's exports linked in, so that their live-object count can be read.
TEST_F(TemplateWindows, CreateAndCloseCyclesThroughTheExportsLeaveNothingBehind) {
    OwnerRecorder owner;
    std::string path = testkit::templateFile("form.dtp");
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_EQ(Vexil_Create(owner.window(), WS_POPUP, path.data(), 100, 100, 0), 1);
        ASSERT_EQ(Vexil_Close(), 1);
    }
    EXPECT_EQ(Vexil_GetTemplateNumber(), 0);
    EXPECT_EQ(library().liveObjects(), baseline());
}

}  // namespace
}  // namespace kz8::skinui
