// Media windows playing real files under Wine's Video for Windows, and the
// link's registry route with handler commands written into this prefix's
// registry (and put back afterwards).
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/win32/handles.h"
#include "player/win32/media_window.h"
#include "player/win32/open_link.h"

namespace kz8::player {
namespace {

HWND gStoppedWindow = nullptr;
int gStopNotices = 0;

LRESULT CALLBACK parentWindow(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kMciWndNotifyMode && lp == kMciModeStopped) {
        gStoppedWindow = reinterpret_cast<HWND>(wp);
        ++gStopNotices;
    }
    return DefWindowProcA(w, m, wp, lp);
}

class MediaWindow : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA cls{};
        cls.lpfnWndProc = parentWindow;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "MediaParentTest";
        RegisterClassA(&cls);
        parent_ = CreateWindowExA(0, cls.lpszClassName, "media", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                                  300, nullptr, nullptr, cls.hInstance, nullptr);
        ASSERT_TRUE(parent_);
        gStoppedWindow = nullptr;
        gStopNotices = 0;
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND parent_ = nullptr;
};

TEST_F(MediaWindow, ClipAndWaveSoundPlayToTheStopNotice) {
    const char* files[] = {"media/clip.avi", "media/tone.wav"};
    for (const char* file : files) {
        gStoppedWindow = nullptr;
        std::string path = testkit::fixturePath(file);
        HWND media =
            CreateMediaWindow(parent_, GetModuleHandleA(nullptr), kMediaWindowStyle, path.c_str());
        ASSERT_TRUE(media) << file;
        ASSERT_TRUE(MediaCanPlay(media)) << file;
        PlayMediaFromStart(media);
        EXPECT_TRUE(testkit::pumpUntil([&] { return gStoppedWindow == media; }, 20000))
            << file << ": no stopped notice from its window";
        CloseMedia(media);
        EXPECT_FALSE(IsWindow(media)) << file << ": closing destroys the window";
    }
}

BOOL CALLBACK countDialogs(HWND window, LPARAM count) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (IsWindowVisible(window) && std::string(cls) == "#32770") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(MediaWindow, UnplayableFileStillGivesAWindowThatCannotPlay) {
    std::string path = testkit::fixturePath("media/broken.avi");
    HWND media =
        CreateMediaWindow(parent_, GetModuleHandleA(nullptr), kMediaWindowStyle, path.c_str());
    ASSERT_TRUE(media);
    EXPECT_FALSE(MediaCanPlay(media));
    int visible = 0;
    EnumThreadWindows(GetCurrentThreadId(), countDialogs, reinterpret_cast<LPARAM>(&visible));
    EXPECT_EQ(visible, 0) << "no error box stands in the way of the card";
    CloseMedia(media);
}

// ---- the link ----

std::string gStarted;
UINT gStartCalls = 0;
UINT WINAPI recordStart(LPCSTR line, UINT show) {
    gStarted = line;
    ++gStartCalls;
    return show == SW_SHOWNORMAL ? 33 : 2;
}
HINSTANCE WINAPI shellWithoutAssociation(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
    return reinterpret_cast<HINSTANCE>(INT_PTR(SE_ERR_NOASSOC));
}

// Sets HKCR keys for the test and puts the previous ".htm" class back.
class LinkRegistry : public ::testing::Test {
protected:
    static constexpr const char* kClass = "KZ8LinkTestPage";
    void SetUp() override {
        hadHtm_ = ReadClassesRootValue(".htm", &savedHtm_) == ERROR_SUCCESS;
        setValue(".htm", kClass);
        setShellOpener(shellWithoutAssociation);
        setProgramStarter(recordStart);
        gStarted.clear();
        gStartCalls = 0;
    }
    void TearDown() override {
        setShellOpener(nullptr);
        setProgramStarter(nullptr);
        const std::string c = kClass;
        for (const std::string& key :
             {c + "\\shell\\open\\command", c + "\\shell\\open", c + "\\shell", c})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
        if (hadHtm_)
            setValue(".htm", savedHtm_.c_str());
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }
    static void setValue(const std::string& key, const char* value) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &k, nullptr),
                  ERROR_SUCCESS)
            << key;
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       DWORD(strlen(value) + 1));
        RegCloseKey(k);
    }
    bool hadHtm_ = false;
    std::string savedHtm_;
};

TEST_F(LinkRegistry, HandlerCommandsBecomeTheseCommandLines) {
    const char* target = "http://www.example.com/kz8/";
    struct Case {
        const char* name;
        const char* command;
        std::string want;
    };
    const Case cases[] = {
        {"quoted placeholder", "\"C:\\web\\browse.exe\" \"%1\"",
         std::string("\"C:\\web\\browse.exe\"  ") + target},
        {"bare placeholder", "C:\\web\\browse.exe %1",
         std::string("C:\\web\\browse.exe  ") + target},
        {"no placeholder", "C:\\web\\browse.exe", std::string("C:\\web\\browse.exe ") + target},
    };
    for (const Case& c : cases) {
        setValue(std::string(kClass) + "\\shell\\open\\command", c.command);
        gStarted.clear();
        EXPECT_EQ(OpenLink(target, SW_SHOWNORMAL), 33) << c.name << ": the program start's result";
        EXPECT_EQ(gStarted, c.want) << c.name;
    }
}

TEST_F(LinkRegistry, WithoutAnOpenCommandTheShellsFailureStands) {
    setValue(std::string(kClass) + "\\shell", "");
    EXPECT_EQ(OpenLink("http://www.example.com/kz8/", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    // An open command key whose value is empty runs nothing either.
    setValue(std::string(kClass) + "\\shell\\open\\command", "");
    EXPECT_EQ(OpenLink("http://www.example.com/kz8/", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    EXPECT_EQ(gStartCalls, 0u);
}

TEST(ReadClassesRootValue, ReportsTheOpenResultAndEmptiesTheText) {
    std::string text = "stale";
    EXPECT_NE(ReadClassesRootValue("KZ8NoSuchClass\\shell", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace kz8::player
