// The maker's file-dialog library, HYDLL.dll, outside this system: its
// picture open and JPEG save. It is bound at the first call and may be
// missing; then an open fails as for a file that is no picture.
#pragma once

#include <windows.h>

extern "C" {
// A packed DIB in movable global memory, or null.
HGLOBAL __cdecl HyOpenFile(const char* path, int, int);
// 1 when the picture was written in the format (4: JPEG).
int __cdecl HySaveFile(HGLOBAL picture, const char* path, int format, int);
}

namespace kz8::mail {

constexpr int kHyJpegFormat = 4;

// Makes a missing HYDLL.dll bind its calls to stand-ins that fail, rather
// than raise the delay-load exception. Called before the first call.
void tolerateMissingHydll();

}  // namespace kz8::mail
