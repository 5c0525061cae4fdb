#include "outside/aolfake/attachments_window.h"

#include <vector>

#include "outside/aolfake/aol_controls.h"
#include "outside/aolfake/attach_window.h"
#include "outside/aolfake/window_support.h"

namespace kz8::outside::aol {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr RECT kClientPlace{220, 180, 220 + 260, 180 + 150};  // on the screen

enum ControlId : int { kDetach = 1, kAttach, kCancel, kOk };

// The four icons sit at the corners of one rectangle, so each corner rule
// settles on its own one whatever the order of enumeration: from the
// right-bottom corner Attach (left-top), from the right-top corner OK
// (left-bottom). Detach comes first, for a search that stops there.
const std::vector<ControlPlace>& layout() {
    static const std::vector<ControlPlace> places{
        {kDetach, kIconClass, "Detach", 170, 16, 70, 24},
        {kAttach, kIconClass, "Attach", 20, 16, 70, 24},
        {kCancel, kIconClass, "Cancel", 170, 110, 70, 24},
        {kOk, kIconClass, "OK", 20, 110, 70, 24},
    };
    return places;
}

LRESULT CALLBACK attachmentsProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    noteShowAndClose(window, message, wParam);
    switch (message) {
        case WM_CREATE: createControls(window, layout()); return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kAttach: openAttachFile(window); break;
                case kOk:
                case kCancel: DestroyWindow(window); break;
            }
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerAttachmentsClass(HINSTANCE instance) {
    return registerWindowClass(instance, kAttachmentsClass, attachmentsProcedure, COLOR_BTNFACE);
}

void openAttachments(HWND frame) {
    if (findOwnedWindow(frame, kAttachmentsClass)) return;
    RECT area = kClientPlace;
    AdjustWindowRectEx(&area, kStyle, FALSE, 0);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    HWND window = CreateWindowExA(0, kAttachmentsClass, kAttachmentsTitle, kStyle, area.left,
                                  area.top, area.right - area.left, area.bottom - area.top, frame,
                                  nullptr, instance, nullptr);
    if (!window) return;
    noteOpened(window);
    revealWithFrame(window);
}

}  // namespace kz8::outside::aol
