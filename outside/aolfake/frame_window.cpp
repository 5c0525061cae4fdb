#include "outside/aolfake/frame_window.h"

#include <vector>

#include "outside/aolfake/aol_controls.h"
#include "outside/aolfake/window_support.h"
#include "outside/aolfake/write_mail_window.h"

namespace kz8::outside::aol {
namespace {

constexpr char kToolbarClass[] = "_AOL_Toolbar";
constexpr int kToolbarId = 1, kSignOnId = 2;
constexpr int kToolbarIconCount = 4, kToolbarIconSize = 40, kToolbarIconStep = 50;
constexpr int kToolbarHeight = 48;
constexpr int kToolbarWidth = kToolbarIconStep * (kToolbarIconCount - 1) + kToolbarIconSize + 8;
constexpr int kMargin = 8;
constexpr POINT kFramePlace{10, 10};

// The toolbar passes its icons' clicks on as its own.
LRESULT CALLBACK toolbarProcedure(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SendMessageA(GetParent(toolbar), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(toolbar), BN_CLICKED),
                     reinterpret_cast<LPARAM>(toolbar));
        return 0;
    }
    return DefWindowProcA(toolbar, message, wParam, lParam);
}

void createToolbar(HWND frame) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    // An icon of the frame itself, ahead of the toolbar: only icons on the
    // toolbar count as toolbar icons.
    createControls(frame, {{kSignOnId, kIconClass, "Sign On", kToolbarWidth + kMargin, 4, 64,
                            kToolbarIconSize}});
    HWND toolbar = CreateWindowExA(
        0, kToolbarClass, "Toolbar", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, kToolbarWidth,
        kToolbarHeight, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), instance,
        nullptr);
    static const char* const kIconNames[kToolbarIconCount] = {"Icon 0", "Icon 1", "Icon 2",
                                                              "Icon 3"};
    std::vector<ControlPlace> icons;
    for (int i = 0; i < kToolbarIconCount; ++i) {
        icons.push_back({100 + i, kIconClass, kIconNames[i], 4 + i * kToolbarIconStep, 4,
                         kToolbarIconSize, kToolbarIconSize});
    }
    createControls(toolbar, icons);
}

LRESULT CALLBACK frameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    noteShowAndClose(frame, message, wParam);
    switch (message) {
        case WM_CREATE: createToolbar(frame); return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kToolbarId)
                openWriteMail(frame, POINT{kMargin, kToolbarHeight + kMargin});
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(frame, message, wParam, lParam);
    }
}

}  // namespace

bool registerFrameClasses(HINSTANCE instance) {
    return registerWindowClass(instance, kFrameClass, frameProcedure, COLOR_APPWORKSPACE) &&
           registerWindowClass(instance, kToolbarClass, toolbarProcedure, COLOR_BTNFACE);
}

HWND createFrame(HINSTANCE instance) {
    // Room for the toolbar and a whole "Write Mail" below it.
    const SIZE writeMail = writeMailWindowSize();
    RECT area{0, 0, writeMail.cx + 2 * kMargin, kToolbarHeight + writeMail.cy + 2 * kMargin};
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&area, kStyle, FALSE, 0);
    HWND frame = CreateWindowExA(0, kFrameClass, kFrameTitle, kStyle, kFramePlace.x, kFramePlace.y,
                                 area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                 instance, nullptr);
    if (frame) noteOpened(frame);
    return frame;
}

}  // namespace kz8::outside::aol
