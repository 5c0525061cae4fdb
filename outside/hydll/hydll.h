// The picture functions of HYDLL.dll, the file-dialog library (outside the
// system), as its callers declare them: cdecl, plain names in both trees.
#pragma once

#include <windows.h>

// The format number of JPEG for HySaveFile.
constexpr int kHyFormatJpeg = 4;

extern "C" {

// A picture file, BMP or JPEG by its content, as a packed DIB in movable
// global memory that the caller frees; null when it cannot be read. The two
// numbers are not used.
HGLOBAL __cdecl HyOpenFile(const char* path, int unused1, int unused2);

// Writes the packed DIB to `path` in `format`; 1 when written, 0 otherwise.
// The DIB stays the caller's. The last number is not used.
int __cdecl HySaveFile(HGLOBAL dib, const char* path, int format, int unused);

}  // extern "C"
