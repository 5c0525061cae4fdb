// The AOL automation's window system over Win32: the client's windows
// found by enumeration, and its input sent synchronously from the host's
// window thread, as the client reads it.
#pragma once

#include <windows.h>

#include "mail/portable/aol_windows.h"

namespace kz8::mail {

class Win32AolWindows : public AolWindows {
public:
    Win32AolWindows(HWND owner, UINT_PTR timer) : owner_(owner), timer_(timer) {}

    std::vector<WindowId> topLevel() override;
    std::vector<WindowId> descendants(WindowId parent) override;
    WindowId parentOf(WindowId window) override;
    std::string className(WindowId window) override;
    std::string title(WindowId window) override;
    ScreenRect rect(WindowId window) override;
    bool exists(WindowId window) override;
    bool visible(WindowId window) override;
    void show(WindowId window, ShowHow how) override;
    void click(WindowId window, int offset) override;
    void setText(WindowId window, const std::string& text) override;
    void sendChar(WindowId window, unsigned code) override;
    void sendImeChar(WindowId window, unsigned code) override;
    void sendOk(WindowId window) override;
    uint64_t milliseconds() override;
    void stopTimer() override;

private:
    HWND owner_;
    UINT_PTR timer_;
};

}  // namespace kz8::mail
