// vexilview end to end: started as a user would, its button clicked with
// the real pointer and the viewer closed with Alt+F4, which the template
// passes on to its owner; what it prints is what a host would have heard.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/win32/handles.h"

namespace {

using namespace kz8::testkit;

// The lines as printed; a Windows program's text output ends them with CR LF.
std::string logText(const std::string& path) {
    const auto bytes = readFile(path);
    std::string text;
    if (bytes)
        for (uint8_t byte : *bytes)
            if (byte != '\r') text += char(byte);
    return text;
}

// A viewer left running by a failed check would hold the desktop for the
// tests after it.
struct EndsWithTheTest {
    HANDLE process;
    ~EndsWithTheTest() {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 3);
    }
};

TEST(Vexilview, StartClickAndCloseGiveTheOwnersLog) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string log = std::string(folder) + "vexilview-test.log";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    kz8::KernelHandle out(CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(out);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out.get();
    std::string command = std::string("\"") + KZ8_VEXILVIEW_EXE + "\" --at 100,100 \"" +
                          fixturePath("skinui/templates/window.dtp") + "\"";
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &started));
    kz8::KernelHandle process(started.hProcess), thread(started.hThread);
    EndsWithTheTest ending{process.get()};

    auto logged = [&](const char* line) {
        return pumpUntil([&] { return logText(log).find(line) != std::string::npos; }, 15000);
    };
    ASSERT_TRUE(logged("3024 Main\n")) << logText(log);
    ASSERT_TRUE(moveMouseTo(130, 210));
    ASSERT_TRUE(pressLeft());
    ASSERT_TRUE(releaseLeft());
    ASSERT_TRUE(logged("273 12\n")) << logText(log);
    ASSERT_TRUE(xdotool("key alt+F4"));
    ASSERT_EQ(WaitForSingleObject(process.get(), 15000), WAIT_OBJECT_0) << logText(log);
    DWORD status = 1;
    GetExitCodeProcess(process.get(), &status);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(
        logText(log),
        "3024 Main\n3106 Main 30,110\n3104 Go\n273 12\n3124 Main\n3127 Main\n3126 Main\n3125\n")
        << "the focus goes as the window is destroyed (3127), before 3126";
    out.reset();
    DeleteFileA(log.c_str());
}

}  // namespace
