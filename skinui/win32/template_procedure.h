// The window procedure of "Template Window Class".
#pragma once

#include <windows.h>

namespace kz8::skinui {

LRESULT CALLBACK templateWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kz8::skinui
