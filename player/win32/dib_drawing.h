// Drawing the player's DIBs and placing the card in the window.
#pragma once

#include <windows.h>

namespace kz8::player {

// Draws the DIB unscaled with its top-left corner at (x, y); 1 when drawn,
// 0 when the context or DIB is missing or the block cannot be used.
BOOL DrawDib(HDC dc, HGLOBAL dib, int x, int y);

// The height (0 when the DIB is missing or unusable); either output may be null.
int GetDibSize(HGLOBAL dib, int* width, int* height);

// 580 x 380 centred in the window's client area; 0 when rect is null.
BOOL GetCardRect(HWND window, RECT* rect);

}  // namespace kz8::player
