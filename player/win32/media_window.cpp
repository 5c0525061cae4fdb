#include "media_window.h"

#include <vfw.h>

namespace kz8 {

HWND CreateMediaWindow(HWND parent, HINSTANCE instance, DWORD style, const char* path) {
    return MCIWndCreateA(parent, instance, style | kMciWndNoErrorDialog, path);
}

bool MediaCanPlay(HWND media) { return media && SendMessageA(media, kMciWndCanPlay, 0, 0) != 0; }

void PlayMediaFromStart(HWND media) {
    SendMessageA(media, kMciSeek, 0, 0);
    SendMessageA(media, kMciPlay, 0, 0);
}

void PauseMedia(HWND media) { SendMessageA(media, kMciPause, 0, 0); }

void CloseMedia(HWND media) { SendMessageA(media, WM_CLOSE, 0, 0); }

}  // namespace kz8
