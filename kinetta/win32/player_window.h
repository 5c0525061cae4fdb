// The player's one window: a maximised pop-up of class "VPlayerWndCls" that
// shows the card and routes mouse input to its bars.
#pragma once

#include <windows.h>

namespace kz8::player {

constexpr char kPlayerWindowClass[] = "VPlayerWndCls";
constexpr char kPlayerWindowTitle[] = "KZ8Card";

// Registers the class, creates the window, shows it maximised and lays out
// the bars; nullptr when the window cannot be made.
HWND CreatePlayerWindow(HINSTANCE instance);

LRESULT CALLBACK PlayerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kz8::player
