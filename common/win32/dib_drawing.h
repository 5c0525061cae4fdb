// Drawing DIBs held in global memory into a device context.
#pragma once

#include <windows.h>

// After windows.h, which it needs.
#include "common/portable/dib.h"

namespace kz8 {
inline namespace common {

// Draws the DIB unscaled with its top-left corner at (x, y); 1 when drawn,
// 0 when the context or DIB is missing or the block cannot be used.
BOOL DrawDib(HDC dc, HGLOBAL dib, int x, int y);

// The same for DIB bytes held in memory (a template's pictures); FALSE for a
// missing context.
BOOL drawDibBytes(HDC dc, const Dib& dib, int x, int y);

// The height (0 when the DIB is missing or unusable); either output may be null.
int GetDibSize(HGLOBAL dib, int* width, int* height);

}  // namespace common
}  // namespace kz8
