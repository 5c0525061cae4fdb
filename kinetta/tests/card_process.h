// A card started as its recipient starts it: its own process, with a
// temporary folder of its own so that what it leaves behind can be seen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/handles.h"

namespace kz8::testkit {

struct CardMedia {
    std::string front = "card/card-rgb.jpg";  // fixture names
    std::string back = "card/card-back.jpg";
    std::string video;  // none when empty
    std::string sound;
    int32_t audioKind = 0;
    RECT videoRect{20, 20, 180, 140};  // card-relative
};

// Writes Kinetta.exe with the card appended to `path`.
bool writeCardFile(const std::string& path, const CardMedia& media);

class CardProcess {
public:
    // Starts the card file (or any program, with its arguments); the
    // temporary folder is made empty first.
    CardProcess(const std::string& cardPath, const std::string& tempFolder,
                const std::string& arguments = "");
    ~CardProcess();  // ends the process if it still runs
    CardProcess(const CardProcess&) = delete;
    CardProcess& operator=(const CardProcess&) = delete;

    bool started() const { return bool(process_); }
    HANDLE handle() const { return process_.get(); }
    // The player window once it is shown, or nullptr after the wait.
    HWND waitForWindow(DWORD timeoutMs = 15000, const char* className = "VPlayerWndCls");
    HWND window() const { return window_; }
    // A top-level window of the process with this class, or nullptr.
    HWND findWindowOfClass(const char* className) const;
    // The windows the player window owns (the media windows).
    std::vector<HWND> ownedWindows() const;
    // The exit code, or nothing while it still runs after the wait.
    std::optional<DWORD> waitForExit(DWORD timeoutMs = 15000);
    // Names of the files in the card's temporary folder.
    std::vector<std::string> tempFiles() const;

private:
    KernelHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    std::string tempFolder_;
};

// The player's executable, as the build placed it.
std::string kinettaPath();
// The program that does nothing but show one bitmap file full screen.
std::string onePicturePath();

// Jobs the captured printer has received so far (0 without the print queue).
size_t printJobCount();

}  // namespace kz8::testkit
