#include "skinui/win32/template_procedure.h"

#include <windowsx.h>

#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/mouse_routing.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_library.h"
#include "skinui/win32/template_painting.h"

namespace kz8::skinui {

namespace {

Point pointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT onCreate(HWND hwnd, LPARAM lParam) {
    auto* window =
        static_cast<TemplateWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (!window) return 0;
    window->window = hwnd;
    window->record().state = 1;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    SetWindowTextA(hwnd, window->record().caption.c_str());
    TemplateLibrary::instance().setCreationDone(true);
    SetTimer(hwnd, kBlinkTimer, kBlinkMilliseconds, nullptr);
    return 0;
}

LRESULT onDestroy(HWND hwnd, TemplateWindow& window) {
    TemplateLibrary& library = TemplateLibrary::instance();
    const HWND owner = window.owner;
    {
        HandlerScope alive(window);
        window.markClosed();
        KillTimer(hwnd, kBlinkTimer);
        KillTimer(hwnd, kRepeatTimer);
        window.hideTip();
        library.retire(window);
        window.notifyOwner(kTemplateDestroyedMessage, 0);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }  // the record is freed here unless an outer handler of it still runs
    if (!library.current()) SendMessageA(owner, kNoCurrentTemplateMessage, 0, 0);
    return 0;
}

// Hover states catch up with a pointer that moved while the focus was away.
void refreshHover(HWND hwnd) {
    const Point at = cursorInClient(hwnd);
    const WPARAM held = GetKeyState(VK_LBUTTON) < 0 ? MK_LBUTTON : 0;
    PostMessageA(hwnd, WM_MOUSEMOVE, held, MAKELPARAM(at.x, at.y));
}

LRESULT onClose(HWND hwnd, TemplateWindow& window) {
    const LRESULT keep = window.notifyOwner(kCloseAskedMessage, 0);
    if (!window.closed() && !keep) DestroyWindow(hwnd);
    return 0;
}

void onTimer(HWND hwnd, TemplateWindow& window, UINT_PTR timer) {
    if (timer == kBlinkTimer) blinkButtons(window);
    if (timer == kRepeatTimer && !repeatHeldButtons(window) && !window.closed())
        KillTimer(hwnd, kRepeatTimer);
}

void closePendingTemplate() {
    if (TemplateWindow* pending = TemplateLibrary::instance().pendingClose())
        SendMessageA(pending->window, WM_CLOSE, 0, 0);
}

bool forwardedToOwner(UINT message) {
    return message >= WM_USER || message == WM_COMMAND || message == WM_SYSCOMMAND;
}

LRESULT handle(HWND hwnd, TemplateWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
    TemplateLibrary& library = TemplateLibrary::instance();
    switch (message) {
        case WM_ACTIVATE:
            if (library.find(hwnd)) library.makeCurrent(&window);
            return DefWindowProcA(hwnd, message, wParam, lParam);
        case WM_SETFOCUS: refreshHover(hwnd); return 0;
        case WM_KILLFOCUS: window.notifyOwner(kFocusLostMessage, LPARAM(wParam)); return 0;
        case WM_PAINT: paintTemplate(window); return 0;
        case WM_CLOSE: return onClose(hwnd, window);
        case WM_KEYDOWN:
        case WM_CHAR:
            return IsWindow(window.owner) ? SendMessageA(window.owner, message, wParam, lParam) : 0;
        case WM_TIMER: onTimer(hwnd, window, wParam); return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (EditWindow* edit = window.editWindowOf(reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(edit->colour(reinterpret_cast<HDC>(wParam)));
            break;
        case WM_MOUSEMOVE:
            routeMouseMove(window, pointOf(lParam), (wParam & MK_LBUTTON) != 0);
            return 0;
        case WM_LBUTTONDOWN: routeLeftPress(window, pointOf(lParam)); return 0;
        case WM_LBUTTONUP:
            routeLeftRelease(window, pointOf(lParam));
            closePendingTemplate();
            return 0;
        default: break;
    }
    if (forwardedToOwner(message)) return SendMessageA(window.owner, message, wParam, lParam);
    return window.closed() ? 0 : DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK templateWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return onCreate(hwnd, lParam);
    // Until a window has handled WM_CREATE, no record is looked up.
    if (!TemplateLibrary::instance().creationDone())
        return DefWindowProcA(hwnd, message, wParam, lParam);
    auto* window = reinterpret_cast<TemplateWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window) return 0;  // its record is gone
    if (message == WM_DESTROY) return onDestroy(hwnd, *window);
    HandlerScope alive(*window);
    return handle(hwnd, *window, message, wParam, lParam);
}

}  // namespace kz8::skinui
