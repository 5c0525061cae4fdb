#include "mail/win32/win32_aol_windows.h"

#include <mmsystem.h>

namespace kz8::mail {

namespace {

HWND handle(WindowId window) { return reinterpret_cast<HWND>(window); }

BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<WindowId>*>(list)->push_back(reinterpret_cast<WindowId>(window));
    return TRUE;
}

}  // namespace

std::vector<WindowId> Win32AolWindows::topLevel() {
    std::vector<WindowId> windows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// EnumChildWindows walks every descendant, each one's children right after it.
std::vector<WindowId> Win32AolWindows::descendants(WindowId parent) {
    std::vector<WindowId> windows;
    EnumChildWindows(handle(parent), collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

WindowId Win32AolWindows::parentOf(WindowId window) {
    return reinterpret_cast<WindowId>(GetAncestor(handle(window), GA_PARENT));
}

std::string Win32AolWindows::className(WindowId window) {
    char name[256] = {};
    GetClassNameA(handle(window), name, sizeof name);
    return name;
}

std::string Win32AolWindows::title(WindowId window) {
    char text[256] = {};
    GetWindowTextA(handle(window), text, sizeof text);
    return text;
}

ScreenRect Win32AolWindows::rect(WindowId window) {
    RECT area{};
    GetWindowRect(handle(window), &area);
    return {area.left, area.top, area.right, area.bottom};
}

bool Win32AolWindows::exists(WindowId window) { return window && IsWindow(handle(window)); }

bool Win32AolWindows::visible(WindowId window) { return IsWindowVisible(handle(window)); }

void Win32AolWindows::show(WindowId window, ShowHow how) {
    ShowWindow(handle(window), how == ShowHow::Normal ? SW_SHOWNORMAL : SW_SHOW);
}

void Win32AolWindows::click(WindowId window, int offset) {
    const ScreenRect area = rect(window);
    SetCursorPos(int(area.left) + offset, int(area.top) + offset);
    SendMessageA(handle(window), WM_LBUTTONDOWN, WPARAM(offset), LPARAM(offset));
    SendMessageA(handle(window), WM_LBUTTONUP, WPARAM(offset), LPARAM(offset));
}

void Win32AolWindows::setText(WindowId window, const std::string& text) {
    SendMessageA(handle(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32AolWindows::sendChar(WindowId window, unsigned code) {
    SendMessageA(handle(window), WM_CHAR, WPARAM(code), 0);
}

void Win32AolWindows::sendImeChar(WindowId window, unsigned code) {
    SendMessageA(handle(window), WM_IME_CHAR, WPARAM(code), 1);
}

void Win32AolWindows::sendOk(WindowId window) { SendMessageA(handle(window), WM_COMMAND, IDOK, 0); }

uint64_t Win32AolWindows::milliseconds() { return timeGetTime(); }

void Win32AolWindows::stopTimer() { KillTimer(owner_, timer_); }

}  // namespace kz8::mail
