#include "common/testing/win32/wine_run.h"

#include <windows.h>

#include "common/win32/handles.h"

namespace kz8::testkit {

std::string environmentText(const char* name) {
    char buffer[4096];
    DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::string(buffer, length);
}

std::string windowsPathOf(const std::string& unixPath) { return "Z:" + unixPath; }

std::vector<uint8_t> capturedPcm() {
    std::string path = environmentText("KZ8_CAPTURE_PCM");
    if (path.empty()) return {};
    return readFile(windowsPathOf(path)).value_or(std::vector<uint8_t>{});
}

std::optional<PpmImage> takeScreenshot() {
    static int count = 0;
    std::string command = environmentText("KZ8_SCREENSHOT");
    std::string runDir = environmentText("KZ8_RUN_DIR");
    if (command.empty() || runDir.empty()) return std::nullopt;
    std::string unixOut = runDir + "/shot-" + std::to_string(++count) + ".ppm";
    std::string windowsOut = windowsPathOf(unixOut);
    DeleteFileA(windowsOut.c_str());

    std::string line = command + " " + unixOut;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return std::nullopt;
    KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    // A Unix child's exit code does not come through Wine, so the file's
    // appearance (written under a temporary name, then renamed) is the answer.
    WaitForSingleObject(process.hProcess, 20000);
    for (int tries = 0; tries < 200; ++tries) {
        if (GetFileAttributesA(windowsOut.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(50);
    }
    auto bytes = readFile(windowsOut);
    if (!bytes) return std::nullopt;
    return PpmImage::parse(*bytes);
}

}  // namespace kz8::testkit
