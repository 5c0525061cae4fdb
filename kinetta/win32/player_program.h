// The card player program's own process-wide data, beside PlayerState: the
// instance, the one window, the turn flag and the two bars.
#pragma once

#include <windows.h>

#include "player/win32/button_bar.h"
#include "player/win32/link_bar.h"

namespace kz8 {

struct PlayerProgram {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    // A turn asked for with the Turn button is under way; the buttons rest.
    bool turning = false;
    ButtonBar buttons;
    LinkBar link;
};

PlayerProgram& playerProgram();

}  // namespace kz8
