// "Attach": the client's file window. A path is typed into its edit, and
// IDOK attaches that path and closes the window.
#pragma once

#include <windows.h>

namespace kz8::outside::aol {

inline constexpr char kAttachClass[] = "AOL Attach";
inline constexpr char kAttachTitle[] = "Attach";

bool registerAttachClass(HINSTANCE instance);

// Opens it, owned by "Attachments", unless it is open already.
void openAttachFile(HWND attachments);

}  // namespace kz8::outside::aol
