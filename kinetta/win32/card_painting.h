// Painting the player window: the button bar, and the front, the back with
// its link strip, or the dissolve from one to the other.
#pragma once

#include <windows.h>

namespace kz8 {

void PaintCard(HWND window);

}  // namespace kz8
