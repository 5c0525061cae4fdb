#include "outside/aolfake/window_support.h"

#include <vector>

#include "outside/aolfake/event_log.h"

namespace kz8::outside::aol {

bool registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                         int backgroundColour) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground =
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColour + 1));
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

std::string windowTitle(HWND window) {
    std::vector<char> text(GetWindowTextLengthA(window) + 1);
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), length > 0 ? length : 0);
}

std::string windowClass(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string describe(HWND window) { return windowTitle(window) + " (" + windowClass(window) + ")"; }

void noteOpened(HWND window) { logEvent("open " + describe(window)); }

void noteShowAndClose(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_SHOWWINDOW) logEvent((wParam ? "show " : "hide ") + describe(window));
    if (message == WM_DESTROY) logEvent("close " + describe(window));
}

void revealWithFrame(HWND window) {
    // Children and owned windows alike lead back to the frame.
    HWND frame = GetAncestor(window, GA_ROOTOWNER);
    if (frame && frame != window && IsWindowVisible(frame)) ShowWindow(window, SW_SHOW);
}

HWND findOwnedWindow(HWND owner, const char* className) {
    // By class alone another client's window would match.
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        if (GetWindow(window, GW_OWNER) == owner) return window;
    }
    return nullptr;
}

}  // namespace kz8::outside::aol
