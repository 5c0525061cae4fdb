// The dissolve from the picture on screen to a new one: eleven passes of an
// ordered-dither mask over 8 x 8 tiles visited in a random order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/win32/handles.h"

namespace kz8::player {

// Reveals newDib with its top-left corner at (left, top) over what the
// context shows, all passes within the call; right and bottom are not used,
// the DIB's own size counts. 0, without drawing, when the context or either
// DIB is missing.
BOOL RevealDib(HDC dc, HGLOBAL oldDib, HGLOBAL newDib, int left, int top, int right, int bottom);

// One dissolve held between its passes, so that they can be paced: the new
// picture in a memory bitmap and the tile order, drawn pass by pass into
// whichever context shows the card then.
class Dissolve {
public:
    // False when the picture cannot be prepared; nothing is drawn then.
    bool prepare(HDC like, HGLOBAL newDib, int left, int top);
    bool prepared() const { return bool(memory_); }
    // Pass 0 .. kRevealPassCount - 1; a pass drawn again changes nothing.
    void drawPass(HDC target, int pass) const;
    void release();

private:
    CreatedDc memory_;
    Bitmap picture_;
    HGDIOBJ previous_ = nullptr;
    int left_ = 0, top_ = 0;
    uint32_t width_ = 0, height_ = 0;
    std::vector<uint32_t> order_;
};

// Called after each pass with its index and threshold, so that tests can
// look at the screen between passes; nullptr for none.
using RevealPassHook = void (*)(int pass, int threshold);
void setRevealPassHook(RevealPassHook hook);

}  // namespace kz8::player
