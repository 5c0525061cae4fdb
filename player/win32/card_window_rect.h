// Where the card sits in the player window.
#pragma once

#include <windows.h>

namespace kz8::player {

// 580 x 380 centred in the window's client area; 0 when rect is null.
BOOL GetCardRect(HWND window, RECT* rect);

}  // namespace kz8::player
