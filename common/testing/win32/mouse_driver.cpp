#include "common/testing/win32/mouse_driver.h"

#include "common/win32/handles.h"

namespace kz8::testkit {

void pumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMilliseconds) return false;
        pumpMessages(10);
    }
    return true;
}

bool xdotool(const std::string& args) {
    std::string line = "/usr/bin/xdotool " + args;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    // The handle of a Unix child is not signalled when it ends under Wine,
    // so there is nothing to wait for here; callers wait for the effect.
    KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
}

bool moveMouseTo(int x, int y) {
    if (!xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y))) return false;
    bool arrived = pumpUntil([&] {
        POINT p{};
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    });
    pumpMessages(150);  // the move message itself
    return arrived;
}

static bool leftButtonBecomes(bool down) {
    bool seen =
        pumpUntil([down] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; });
    pumpMessages(150);  // the button message itself
    return seen;
}

bool pressLeft() { return xdotool("mousedown 1") && leftButtonBecomes(true); }

bool releaseLeft() { return xdotool("mouseup 1") && leftButtonBecomes(false); }

}  // namespace kz8::testkit
