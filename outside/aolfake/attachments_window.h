// "Attachments": the client's top-level list of a mail's files. Its Attach
// icon opens the "Attach" file window; OK and Cancel close it.
#pragma once

#include <windows.h>

namespace kz8::outside::aol {

inline constexpr char kAttachmentsClass[] = "AOL Attachments";
inline constexpr char kAttachmentsTitle[] = "Attachments";

bool registerAttachmentsClass(HINSTANCE instance);

// Opens it, owned by the frame, unless it is open already.
void openAttachments(HWND frame);

}  // namespace kz8::outside::aol
