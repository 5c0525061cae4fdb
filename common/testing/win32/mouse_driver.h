// Real mouse input for window tests: xdotool runs on the Linux side and moves
// and clicks the X pointer, and Wine turns that into ordinary mouse messages
// for the window under it. Under Wine's virtual desktop screen and desktop
// coordinates coincide.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kz8::testkit {

// Dispatches this thread's messages for `milliseconds`.
void pumpMessages(DWORD milliseconds);

// Dispatches messages until `done` holds or the time runs out; whether it held.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds = 3000);

// Runs "/usr/bin/xdotool ARGS" and keeps dispatching while it runs. A Unix
// exit code does not come through Wine, so callers check the effects.
bool xdotool(const std::string& args);

// Moves the pointer and waits until Windows sees it there.
bool moveMouseTo(int x, int y);
// Presses or releases the left button where the pointer is.
bool pressLeft();
bool releaseLeft();

}  // namespace kz8::testkit
