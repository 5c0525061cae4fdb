// vexilview end to end: started as a user would, its button clicked with
// the real pointer and the viewer closed with Alt+F4, which the template
// passes on to its owner; what it prints is what a host would have heard,
// through the linked library and through Vexil2.dll.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/logged_process.h"
#include "common/testing/win32/mouse_driver.h"

namespace {

using namespace kz8::testkit;

// vexilview started as a user would, what it prints kept in a log.
class Viewer : public LoggedProcess {
public:
    explicit Viewer(const std::string& arguments)
        : LoggedProcess(quoted(KZ8_VEXILVIEW_EXE) + " " + arguments, "vexilview-test.log") {}
};

// The same session through the linked library and through Vexil2.dll.
class Vexilview : public ::testing::TestWithParam<std::string> {};

TEST_P(Vexilview, StartClickAndCloseGiveTheOwnersLog) {
    Viewer viewer(GetParam() + " --at 100,100 " +
                  quoted(fixturePath("skinui/templates/window.dtp")));
    ASSERT_TRUE(viewer.started());
    ASSERT_TRUE(viewer.logged("3024 Main\n")) << viewer.log();
    ASSERT_TRUE(moveMouseTo(130, 210));
    ASSERT_TRUE(pressLeft());
    ASSERT_TRUE(releaseLeft());
    ASSERT_TRUE(viewer.logged("273 12\n")) << viewer.log();
    ASSERT_TRUE(xdotool("key alt+F4"));
    EXPECT_EQ(viewer.exitStatus(), 0u) << viewer.log();
    EXPECT_EQ(
        viewer.log(),
        "3024 Main\n3106 Main 30,110\n3104 Go\n273 12\n3124 Main\n3127 Main\n3126 Main\n3125\n")
        << "the focus goes as the window is destroyed (3127), before 3126";
}

INSTANTIATE_TEST_SUITE_P(LinkedAndLoaded, Vexilview,
                         ::testing::Values("", "--dll " + quoted(KZ8_VEXIL2_DLL)));

// Through the DLL's ordinals: the edit box filled and disabled after
// opening, and read back when the template is asked to close.
TEST(VexilviewDll, FillsDisablesAndReadsBackAnEditBox) {
    Viewer viewer("--dll " + quoted(KZ8_VEXIL2_DLL) +
                  " --at 100,100 --set Letters_Edit_Town=Leeds --disable Letters_Edit_Town " +
                  quoted(fixturePath("skinui/templates/edits.dtp")));
    ASSERT_TRUE(viewer.started());
    ASSERT_TRUE(viewer.logged("3024 Letters\n")) << viewer.log();
    HWND sheet = nullptr;
    ASSERT_TRUE(
        pumpUntil([&] { return (sheet = FindWindowA("Template Window Class", nullptr)); }, 5000));
    // The viewer fills and disables it after the template has been announced.
    auto filledAndDisabled = [&] {
        for (HWND edit = FindWindowExA(sheet, nullptr, "Edit", nullptr); edit;
             edit = FindWindowExA(sheet, edit, "Edit", nullptr)) {
            // GetWindowText would give another process's edit box its caption.
            char text[32] = {};
            SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
            if (std::string(text) == "Leeds") return !IsWindowEnabled(edit);
        }
        return false;
    };
    EXPECT_TRUE(pumpUntil(filledAndDisabled, 5000));
    PostMessageA(sheet, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.exitStatus(), 0u) << viewer.log();
    EXPECT_NE(viewer.log().find("3124 Letters\ntext Letters_Edit_Town Leeds\n"), std::string::npos)
        << viewer.log();
}

}  // namespace
