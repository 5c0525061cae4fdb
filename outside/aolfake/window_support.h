// What every window of the fake client shares: its class registration, how
// log lines name it, and when it shows itself.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::outside::aol {

bool registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                         int backgroundColour);

std::string windowTitle(HWND window);
std::string windowClass(HWND window);
// "Write Mail (AOL Child)": a window as log lines name it.
std::string describe(HWND window);

// Logs "open"; call once the window exists, before it is shown.
void noteOpened(HWND window);
// Logs show, hide and close; window procedures pass every message through.
void noteShowAndClose(HWND window, UINT message, WPARAM wParam);

// Shows a newly opened window only when the frame can be seen: behind a
// hidden client, its windows stay hidden until someone shows them.
void revealWithFrame(HWND window);

// The open top-level window of that class owned by owner, or null.
HWND findOwnedWindow(HWND owner, const char* className);

}  // namespace kz8::outside::aol
