#include "outside/aolfake/attach_window.h"

#include <string>

#include "outside/aolfake/event_log.h"
#include "outside/aolfake/window_support.h"

namespace kz8::outside::aol {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr RECT kClientPlace{260, 260, 260 + 360, 260 + 86};  // on the screen
constexpr int kPathEditId = 100;

// The Edit would post the bytes of a WM_IME_CHAR back to itself as
// WM_CHARs, which would read in the log as typed; the character goes in
// directly instead.
void insertImeCharacter(HWND edit, WNDPROC edits, WPARAM code) {
    const char bytes[3] = {static_cast<char>(HIBYTE(LOWORD(code))),
                           static_cast<char>(LOBYTE(LOWORD(code))), '\0'};
    const char* text = bytes[0] ? bytes : bytes + 1;
    CallWindowProcA(edits, edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

// The path edit is the system's own Edit, as in the client, watched for the
// characters typed into it.
LRESULT CALLBACK pathEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto edits = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    if (message == WM_CHAR) logEvent("char " + hex(wParam) + " " + std::to_string(lParam));
    if (message == WM_IME_CHAR) {
        logEvent("imechar " + hex(wParam) + " " + std::to_string(lParam));
        insertImeCharacter(edit, edits, wParam);
        return 0;
    }
    return CallWindowProcA(edits, edit, message, wParam, lParam);
}

void watchTyping(HWND edit) {
    // The Edit's own state lives in its extra bytes, so its user data is free.
    SetWindowLongPtrA(edit, GWLP_USERDATA, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pathEditProcedure));
}

HWND createChild(HWND parent, const char* className, const char* text, DWORD style, RECT place,
                 int id) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void createFileControls(HWND window) {
    createChild(window, "Static", "File name:", 0, RECT{10, 8, 350, 24}, -1);
    HWND edit = createChild(window, "Edit", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                            RECT{10, 28, 350, 50}, kPathEditId);
    if (edit) watchTyping(edit);
    createChild(window, "Button", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, RECT{280, 56, 350, 80},
                IDOK);
}

void attach(HWND window) {
    logEvent("attach " + windowTitle(GetDlgItem(window, kPathEditId)));
    DestroyWindow(window);
}

LRESULT CALLBACK attachProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    noteShowAndClose(window, message, wParam);
    switch (message) {
        case WM_CREATE: createFileControls(window); return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) attach(window);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerAttachClass(HINSTANCE instance) {
    return registerWindowClass(instance, kAttachClass, attachProcedure, COLOR_BTNFACE);
}

void openAttachFile(HWND attachments) {
    if (findOwnedWindow(attachments, kAttachClass)) return;
    RECT area = kClientPlace;
    AdjustWindowRectEx(&area, kStyle, FALSE, 0);
    const auto instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(attachments, GWLP_HINSTANCE));
    HWND window = CreateWindowExA(0, kAttachClass, kAttachTitle, kStyle, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, attachments,
                                  nullptr, instance, nullptr);
    if (!window) return;
    noteOpened(window);
    revealWithFrame(window);
}

}  // namespace kz8::outside::aol
