// The dissolve from the picture on screen to a new one: eleven passes of an
// ordered-dither mask over 8 x 8 tiles visited in a random order.
#pragma once

#include <windows.h>

namespace kz8 {

// Reveals newDib with its top-left corner at (left, top) over what the
// context shows; right and bottom are not used, the DIB's own size counts.
// 0, without drawing, when the context or either DIB is missing.
BOOL RevealDib(HDC dc, HGLOBAL oldDib, HGLOBAL newDib, int left, int top, int right, int bottom);

// Called after each pass with its index and threshold, so that tests can
// look at the screen between passes; nullptr for none.
using RevealPassHook = void (*)(int pass, int threshold);
void setRevealPassHook(RevealPassHook hook);

}  // namespace kz8
