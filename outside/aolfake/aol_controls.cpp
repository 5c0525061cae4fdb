#include "outside/aolfake/aol_controls.h"

#include <cstring>
#include <string>

#include "common/win32/handles.h"
#include "outside/aolfake/event_log.h"
#include "outside/aolfake/window_support.h"

namespace kz8::outside::aol {
namespace {

// Where the cursor is, from the control's top-left: the automation moves it
// there before it clicks.
std::string cursorOffset(HWND control) {
    POINT cursor{};
    RECT place{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(control, &place)) return "?";
    return std::to_string(cursor.x - place.left) + "," + std::to_string(cursor.y - place.top);
}

void paintLabel(HWND window, UINT edge, UINT textFormat) {
    PaintDc paint(window);
    RECT area{};
    GetClientRect(window, &area);
    DrawEdge(paint.get(), &area, edge, BF_RECT | BF_ADJUST);
    SetBkMode(paint.get(), TRANSPARENT);
    SelectionGuard font(paint.get(), GetStockObject(DEFAULT_GUI_FONT));
    InflateRect(&area, -2, -1);
    const std::string text = windowTitle(window);
    DrawTextA(paint.get(), text.c_str(), static_cast<int>(text.size()), &area, textFormat);
}

// A press marks the icon; the release that follows is the click.
LRESULT CALLBACK iconProcedure(HWND icon, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN: SetWindowLongPtrA(icon, GWLP_USERDATA, 1); return 0;
        case WM_LBUTTONUP: {
            if (!GetWindowLongPtrA(icon, GWLP_USERDATA)) return 0;
            SetWindowLongPtrA(icon, GWLP_USERDATA, 0);
            logEvent("click " + describe(icon) + " " + hex(wParam) + " " +
                     hex(static_cast<ULONG_PTR>(lParam)) + " at " + cursorOffset(icon));
            // Last: the parent may close itself, and this icon with it.
            SendMessageA(GetParent(icon), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(icon), BN_CLICKED),
                         reinterpret_cast<LPARAM>(icon));
            return 0;
        }
        case WM_PAINT:
            paintLabel(icon, EDGE_RAISED, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            return 0;
        default: return DefWindowProcA(icon, message, wParam, lParam);
    }
}

const char* editName(HWND edit) {
    const char* name = reinterpret_cast<const char*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    return name ? name : "";
}

LRESULT CALLBACK editProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(edit, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lParam);
            logEvent(std::string("settext ") + editName(edit) + " (" + kEditClass + ") " +
                     (text ? text : ""));
            InvalidateRect(edit, nullptr, TRUE);
            break;
        }
        case WM_PAINT:
            paintLabel(edit, EDGE_SUNKEN, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
            return 0;
    }
    return DefWindowProcA(edit, message, wParam, lParam);
}

bool isEdit(const ControlPlace& place) { return std::strcmp(place.className, kEditClass) == 0; }

}  // namespace

bool registerControlClasses(HINSTANCE instance) {
    return registerWindowClass(instance, kIconClass, iconProcedure, COLOR_BTNFACE) &&
           registerWindowClass(instance, kEditClass, editProcedure, COLOR_WINDOW);
}

void createControls(HWND parent, const std::vector<ControlPlace>& places) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    for (const ControlPlace& place : places) {
        // Edits start empty and keep their name apart from their text.
        CreateWindowExA(0, place.className, isEdit(place) ? "" : place.name,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.x, place.y, place.width,
                        place.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance,
                        const_cast<char*>(place.name));
    }
}

}  // namespace kz8::outside::aol
