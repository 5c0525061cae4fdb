#include "player/win32/media_window.h"

#include <vfw.h>

namespace kz8::player {

HWND CreateMediaWindow(HWND parent, HINSTANCE instance, DWORD style, const char* path) {
    HWND media = MCIWndCreateA(parent, instance, style | kMciWndNoErrorDialog, path);
    // Some Video for Windows versions show the window on creation whatever
    // the style says; a clip is shown only once it can play, and a sound's
    // window never.
    if (media)
        SetWindowPos(media, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return media;
}

bool MediaCanPlay(HWND media) { return media && SendMessageA(media, kMciWndCanPlay, 0, 0) != 0; }

void ShowMediaAt(HWND media, const RECT& screenRect) {
    SetWindowPos(media, HWND_TOP, screenRect.left, screenRect.top,
                 screenRect.right - screenRect.left, screenRect.bottom - screenRect.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void PlayMediaFromStart(HWND media) {
    SendMessageA(media, kMciSeek, 0, 0);
    SendMessageA(media, kMciPlay, 0, 0);
}

void GiveFocusBackFrom(HWND media, HWND owner) {
    if (GetFocus() == owner) return;
    SetFocus(owner);
    // Taking the focus raises the owner's window on the screen under Wine,
    // over the clip it owns, although the window order still has the clip
    // first; showing the clip again puts it back on top, as Windows keeps it.
    if (!media || !IsWindowVisible(media)) return;
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(media, nullptr, 0, 0, 0, 0, kKeepPlace | SWP_NOZORDER | SWP_HIDEWINDOW);
    SetWindowPos(media, HWND_TOP, 0, 0, 0, 0, kKeepPlace | SWP_SHOWWINDOW);
}

void PauseMedia(HWND media) { SendMessageA(media, kMciPause, 0, 0); }

void CloseMedia(HWND media) { SendMessageA(media, WM_CLOSE, 0, 0); }

}  // namespace kz8::player
