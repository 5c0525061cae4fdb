// "Write Mail": the client's compose window, a child of the frame, with the
// recipient and subject edits and the icon that opens "Attachments".
#pragma once

#include <windows.h>

namespace kz8::outside::aol {

inline constexpr char kWriteMailClass[] = "AOL Child";
inline constexpr char kWriteMailTitle[] = "Write Mail";

bool registerWriteMailClass(HINSTANCE instance);

// The whole window's size, for the frame to make room for it.
SIZE writeMailWindowSize();

// Opens "Write Mail" at place in the frame's client area, unless one is open
// already or the test withholds it.
void openWriteMail(HWND frame, POINT place);

}  // namespace kz8::outside::aol
