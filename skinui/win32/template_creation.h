// Opening templates as windows, in the two ways hosts ask for them: from a
// .dtp file as a window of its own (Vexil_Create, and a button's LINK), and
// from a text as a child window whose notifications go to another window
// (Vexil_CreateCtrl). Both append the template to the library's list and
// make it current; a template that fails to load or to get its window is
// freed, leaves its message in lastErrorText and sends nothing.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::skinui {

// At x, y for placement 0 (and any value other than 1); centred on the
// parent's client area or, without one, the screen for placement 1. The
// parent owns it and gets WM_USER+2000. Null on failure.
HWND openTemplateWindow(HWND parent, DWORD style, const std::string& path, int x, int y,
                        int placement);

// A WS_CHILD window of parent at x, y, with owner receiving everything.
HWND openChildTemplate(HWND parent, HWND owner, const char* text, int x, int y);

}  // namespace kz8::skinui
