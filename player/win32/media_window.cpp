#include "media_window.h"

#include <vfw.h>

namespace kz8 {

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
    SetWindowPos(media, HWND_TOP, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                 screenRect.bottom - screenRect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void PlayMediaFromStart(HWND media) {
    SendMessageA(media, kMciSeek, 0, 0);
    SendMessageA(media, kMciPlay, 0, 0);
}

void PauseMedia(HWND media) { SendMessageA(media, kMciPause, 0, 0); }

void CloseMedia(HWND media) { SendMessageA(media, WM_CLOSE, 0, 0); }

}  // namespace kz8
