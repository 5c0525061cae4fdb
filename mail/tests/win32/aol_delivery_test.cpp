// Email.dll's AOL delivery under Wine, with this test as the host (its
// window forwards every WM_TIMER to TimeCheckAOL) and the aol.exe stand-in
// installed in the prefix as the client, for versions 4, 5 and 6.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/testing/win32/logged_process.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/module_function.h"
#include "mail/include/email.h"
#include "mail/tests/win32/msvc_names.h"

namespace {

using kz8::moduleFunction;
using kz8::testkit::pumpMessages;
using kz8::testkit::pumpUntil;

const char kAolKey[] = "Software\\America Online\\AOL\\CurrentVersion";
const char kPreferenceKey[] = "Software\\Tavrel\\Lumbook\\2.5\\Preference";
const char kPlanted[] = "C:\\Program.exe";
constexpr UINT_PTR kAolTimer = 121;

struct Aol {
    decltype(&CheckAOL) check = nullptr;
    decltype(&RunAOLEXE) run = nullptr;
    decltype(&TimeCheckAOL) tick = nullptr;
    decltype(&SetSendToAddr) setRecipient = nullptr;
    decltype(&SetSubject) setSubject = nullptr;
    decltype(&OnInitAol) init = nullptr;

    bool load() {
        HMODULE email = LoadLibraryA("Email.dll");
        if (!email) return false;
        check = moduleFunction<decltype(check)>(email, "?CheckAOL@@YAHXZ");
        run = moduleFunction<decltype(run)>(email, MSVC_NAME("?RunAOLEXE@@YAHPEAUHWND__@@PEAD1@Z",
                                                             "?RunAOLEXE@@YAHPAUHWND__@@PAD1@Z"));
        tick = moduleFunction<decltype(tick)>(email, "?TimeCheckAOL@@YAXI@Z");
        setRecipient = moduleFunction<decltype(setRecipient)>(
            email, MSVC_NAME("?SetSendToAddr@@YAXPEAD@Z", "?SetSendToAddr@@YAXPAD@Z"));
        setSubject = moduleFunction<decltype(setSubject)>(
            email, MSVC_NAME("?SetSubject@@YAXPEAD@Z", "?SetSubject@@YAXPAD@Z"));
        init = moduleFunction<decltype(init)>(email, "?OnInitAol@@YAXXZ");
        return check && run && tick && setRecipient && setSubject && init;
    }
};

Aol& aol() {
    static Aol loaded;
    return loaded;
}

// The host's window: its timer ticks go to the library, counted.
struct Host {
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER) {
            ++ticks;
            aol().tick(unsigned(wParam));
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    Host() {
        WNDCLASSA type{};
        type.lpfnWndProc = procedure;
        type.lpszClassName = "KZ8AolHost";
        RegisterClassA(&type);
        window = CreateWindowExA(0, "KZ8AolHost", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    ~Host() {
        KillTimer(window, kAolTimer);
        DestroyWindow(window);
    }
    HWND window = nullptr;
    static inline int ticks = 0;
};

void setMachineText(const char* path, const char* name, const std::string& text) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD(text.size() + 1));
    RegCloseKey(key);
}

void setPreferences(DWORD asks, DWORD uses) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kPreferenceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "AOLDlg", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&asks), sizeof asks);
    RegSetValueExA(key, "AOLUse", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&uses), sizeof uses);
    RegCloseKey(key);
}

// The client of that version in its own folder, as its set-up leaves it.
std::string install(int version) {
    const std::string folder =
        "C:\\Program Files\\America Online " + std::to_string(version) + ".0";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(KZ8_AOLFAKE, (folder + "\\aol.exe").c_str(), FALSE);
    setMachineText(kAolKey, "AppPath", folder);
    SetEnvironmentVariableA("KZ8_AOL_VERSION", std::to_string(version).c_str());
    return folder;
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool contains(const std::vector<std::string>& lines, const std::string& wanted) {
    for (const std::string& line : lines)
        if (line.rfind(wanted, 0) == 0) return true;
    return false;
}

// The client closed, as the user would after sending.
void closeClient() {
    HWND frame = FindWindowA("AOL Frame25", nullptr);
    if (frame) PostMessageA(frame, WM_CLOSE, 0, 0);
    pumpUntil([] { return !FindWindowA("AOL Frame25", nullptr); }, 5000);
}

class AolDelivery : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(aol().load());
        // Whatever "C:\Program Files\..." unquoted would run first.
        CopyFileA(KZ8_AOLFAKE, kPlanted, FALSE);
    }
    static void TearDownTestSuite() { DeleteFileA(kPlanted); }
    void SetUp() override {
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        log_ = std::string(folder) + "kz8-aol.log";
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("KZ8_AOL_LOG", log_.c_str());
        SetEnvironmentVariableA("KZ8_AOL_NO_WRITE_MAIL", nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, kPreferenceKey);
    }
    void TearDown() override { closeClient(); }
    std::vector<std::string> log() const { return readLines(log_); }
    // Runs the delivery until the subject is in, or the time is up.
    int deliver(Host& host, char* path) {
        char to[] = "you@example.com", subject[] = "A card";
        aol().setRecipient(to);
        aol().setSubject(subject);
        aol().init();
        const int started = aol().run(host.window, path, nullptr);
        if (started == 1) pumpUntil([&] { return contains(log(), "settext Subject"); }, 15000);
        return started;
    }
    std::string log_;
};

TEST_F(AolDelivery, EveryVersionEndsWithAFinishedMail) {
    for (int version : {4, 5, 6}) {
        SetUp();
        const std::string folder = install(version);
        ASSERT_EQ(aol().check(), 1) << version;
        Host host;
        char path[] = "C:\\cards\\card.exe";
        ASSERT_EQ(deliver(host, path), 1) << version;
        pumpMessages(300);
        const int ticksAtEnd = Host::ticks;
        pumpMessages(300);
        EXPECT_EQ(Host::ticks, ticksAtEnd) << "the timer stopped, version " << version;
        const auto lines = log();
        const std::string blanks = version == 6 ? "" : "   ";
        const std::vector<std::string> expected = {
            "start version " + std::to_string(version) + " cmdshow 0 " + folder + "\\aol.exe",
            version == 6 ? "click Icon 2 (_AOL_Icon) 0xA 0xA" : "click Icon 1 (_AOL_Icon) 0xA 0xA",
            "click Attachments (_AOL_Icon) 0x5 0x5",
            "click Attach (_AOL_Icon) 0x5 0x5",
            "attach " + blanks + "C:\\cards\\card.exe",
            "click OK (_AOL_Icon) 0x5 0x5",
            "settext To (_AOL_Edit) you@example.com",
            "settext Subject (_AOL_Edit) A card",
        };
        size_t at = 0;
        for (const std::string& line : lines)
            if (at < expected.size() && line.rfind(expected[at], 0) == 0) ++at;
        EXPECT_EQ(at, expected.size()) << "version " << version << ": missing \""
                                       << expected[std::min(at, expected.size() - 1)] << "\"";
        size_t chars = 0, starts = 0;
        for (const std::string& line : lines) {
            chars += line.rfind("char ", 0) == 0;
            starts += line.rfind("start ", 0) == 0;
        }
        EXPECT_EQ(chars, blanks.size() + std::string(path).size()) << version;
        EXPECT_EQ(starts, 1u) << "never C:\\Program.exe, version " << version;
        closeClient();
    }
}

TEST_F(AolDelivery, PreferencesAndBrokenInstallationsStartNothing) {
    install(5);
    Host host;
    char path[] = "C:\\cards\\card.exe";
    setPreferences(0, 0);
    EXPECT_EQ(aol().run(host.window, path, nullptr), 0);
    setPreferences(0, 1);
    const std::string folder = install(5);
    std::ofstream(folder + "\\aol.exe") << "not a program";
    EXPECT_EQ(aol().run(host.window, path, nullptr), -2);
    setMachineText(kAolKey, "AppPath", "C:");
    EXPECT_EQ(aol().check(), 0);
    EXPECT_EQ(aol().run(host.window, path, nullptr), 0);
    pumpMessages(500);
    EXPECT_TRUE(log().empty()) << log().front();
}

TEST_F(AolDelivery, AClientThatNeverOpensWriteMailIsAskedAgainAndAgain) {
    install(5);
    SetEnvironmentVariableA("KZ8_AOL_NO_WRITE_MAIL", "1");
    Host host;
    char path[] = "C:\\cards\\card.exe";
    ASSERT_EQ(aol().run(host.window, path, nullptr), 1);
    // 7 ticks to the first click, then 9, 11, 13 ... before each next one.
    pumpUntil(
        [&] {
            size_t asked = 0;
            for (const std::string& line : log()) asked += line.rfind("withhold", 0) == 0;
            return asked >= 3;
        },
        10000);
    size_t asked = 0;
    for (const std::string& line : log()) asked += line.rfind("withhold", 0) == 0;
    EXPECT_GE(asked, 3u);
    EXPECT_TRUE(IsWindow(host.window));
}

// The stand-in send-mail host, as a user runs it: its own window's timer
// drives the delivery.
TEST_F(AolDelivery, TheStandInHostForwardsItsTimer) {
    install(5);
    const std::string host = std::string(KZ8_MAIL_HOST);
    kz8::testkit::LoggedProcess running(
        kz8::testkit::quoted(host) + " --attach C:\\cards\\card.exe --aol you@example.com Hi",
        "kz8mailhost-aol.log", host.substr(0, host.find_last_of("\\/")));
    ASSERT_TRUE(running.started());
    EXPECT_TRUE(running.logged("aol 1"));
    EXPECT_TRUE(
        pumpUntil([&] { return contains(log(), "settext Subject (_AOL_Edit) Hi"); }, 15000));
    EXPECT_TRUE(contains(log(), "attach    C:\\cards\\card.exe"));
    EXPECT_TRUE(contains(log(), "settext To (_AOL_Edit) you@example.com"));
}

// Run by mail_aol_dbcs_test under a Japanese locale: a path with "表"
// (0x95 0x5C in code page 932, its trail byte below 0x80, so a rule of
// "two high-bit bytes" would split it).
TEST_F(AolDelivery, ADoubleByteCharacterGoesAsOneImeCharacter) {
    if (kz8::testkit::environmentText("KZ8_DBCS_RUN") != "1")
        GTEST_SKIP() << "run by mail_aol_dbcs_test";
    ASSERT_EQ(GetACP(), 932u);
    install(6);
    Host host;
    char path[] = "C:\\\x95\x5C\\card.exe";
    ASSERT_EQ(deliver(host, path), 1);
    // One IME character, and no byte of it alone. Its value does not come
    // through: Wine converts WM_IME_CHAR between processes by the keyboard
    // layout's code page (US, so 1252), and the client sees "?".
    size_t ime = 0, split = 0;
    for (const std::string& line : log()) {
        ime += line.rfind("imechar ", 0) == 0 && line.size() > 9 && line.back() == '1';
        split += line == "char 0x95 0";
    }
    EXPECT_EQ(ime, 1u);
    EXPECT_EQ(split, 0u);
    EXPECT_TRUE(contains(log(), "char 0x5C 0")) << "the separator after it, as typed";
}

}  // namespace
