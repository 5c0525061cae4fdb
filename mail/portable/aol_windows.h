// What the AOL automation needs of a window system: finding and walking
// windows, their class, title, rectangle and visibility, and the input it
// gives them. The product implements it over Win32; native tests over a
// fake window tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kz8::mail {

using WindowId = uintptr_t;  // 0: none

struct ScreenRect {
    long left = 0, top = 0, right = 0, bottom = 0;
    long width() const { return right - left; }
    long height() const { return bottom - top; }
};

enum class ShowHow { Normal, Show };

class AolWindows {
public:
    virtual ~AolWindows() = default;
    // Top-level windows, in the system's enumeration order.
    virtual std::vector<WindowId> topLevel() = 0;
    // Every descendant, depth first.
    virtual std::vector<WindowId> descendants(WindowId parent) = 0;
    virtual WindowId parentOf(WindowId window) = 0;
    virtual std::string className(WindowId window) = 0;
    virtual std::string title(WindowId window) = 0;
    virtual ScreenRect rect(WindowId window) = 0;
    virtual bool exists(WindowId window) = 0;
    virtual bool visible(WindowId window) = 0;
    virtual void show(WindowId window, ShowHow how) = 0;
    // The cursor to the window's top-left plus offset, then a button press
    // and release with offset as both message parameters.
    virtual void click(WindowId window, int offset) = 0;
    virtual void setText(WindowId window, const std::string& text) = 0;
    virtual void sendChar(WindowId window, unsigned code) = 0;     // WM_CHAR, lParam 0
    virtual void sendImeChar(WindowId window, unsigned code) = 0;  // WM_IME_CHAR, lParam 1
    virtual void sendOk(WindowId window) = 0;                      // WM_COMMAND IDOK
    virtual uint64_t milliseconds() = 0;
    virtual void stopTimer() = 0;
};

}  // namespace kz8::mail
