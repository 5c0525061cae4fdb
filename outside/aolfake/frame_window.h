// The client's main window, "AOL Frame25" titled "America  Online", with
// its toolbar. A click on any toolbar icon opens "Write Mail".
#pragma once

#include <windows.h>

namespace kz8::outside::aol {

inline constexpr char kFrameClass[] = "AOL Frame25";
inline constexpr char kFrameTitle[] = "America  Online";  // two blanks, as the client has it

bool registerFrameClasses(HINSTANCE instance);

// The frame, not yet shown: the caller shows it the way it was started.
HWND createFrame(HINSTANCE instance);

}  // namespace kz8::outside::aol
