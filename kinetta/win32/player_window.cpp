#include "kinetta/win32/player_window.h"

#include "kinetta/win32/button_actions.h"
#include "kinetta/win32/card_sequence.h"
#include "kinetta/win32/player_program.h"
#include "player/win32/media_window.h"
#include "player/win32/player_resources.h"

namespace kz8::player {
namespace {

constexpr WPARAM kSystemCommandMask = 0xFFF0;

bool registerPlayerClass(HINSTANCE instance) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = PlayerWindowProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PLAYER));
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = kPlayerWindowClass;
    return RegisterClassA(&cls) != 0;
}

void routeMouse(UINT message, WPARAM keys, LPARAM position) {
    PlayerProgram& program = playerProgram();
    switch (message) {
        case WM_MOUSEMOVE:
            program.buttons.OnMouseMove(keys, position);
            program.link.OnMouseMove(keys, position);
            break;
        case WM_LBUTTONDOWN:
            program.buttons.OnButtonDown(keys, position);
            program.link.OnButtonDown(keys, position);
            break;
        default:
            program.buttons.OnButtonUp(keys, position);
            program.link.OnButtonUp(keys, position);
            break;
    }
}

}  // namespace

HWND CreatePlayerWindow(HINSTANCE instance) {
    if (!registerPlayerClass(instance)) return nullptr;
    PlayerProgram& program = playerProgram();
    CreateCardSequence();
    // The create message arms the start timer before this returns.
    program.mainWindow =
        CreateWindowExA(0, kPlayerWindowClass, kPlayerWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0, 0,
                        0, nullptr, nullptr, instance, nullptr);
    if (!program.mainWindow) return nullptr;
    ShowWindow(program.mainWindow, SW_SHOWMAXIMIZED);
    SetFocus(program.mainWindow);
    program.buttons.LayOut(program.mainWindow, instance, playerButtonActions());
    program.link.LayOut(program.mainWindow, instance, OnLinkButton);
    return program.mainWindow;
}

LRESULT CALLBACK PlayerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PlayerProgram& program = playerProgram();
    const bool turning = program.sequence && program.sequence->turning();
    if (turning && message == WM_MOUSEMOVE) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            program.mainWindow = window;  // the timers go to it before creation returns
            if (program.sequence) program.sequence->onCreated();
            break;
        case WM_DESTROY: CleanupPlayer(); return 0;
        case WM_ENDSESSION:
            // The session may end the process as soon as this returns: the
            // temporary files go now, as on a close.
            if (wParam) CleanupPlayer();
            return 0;
        case WM_PAINT: PaintCard(window); return 0;
        case WM_SYSCOMMAND:
            // No screen saver while the card shows.
            if ((wParam & kSystemCommandMask) == SC_SCREENSAVE) return 1;
            break;
        case WM_TIMER: OnPlayerTimer(wParam); break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: routeMouse(message, wParam, lParam); break;
        case kMciWndNotifyMode: OnMediaStopped(reinterpret_cast<HWND>(wParam), lParam); break;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kz8::player
