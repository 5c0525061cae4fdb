#include "player/win32/reveal.h"

#include <vector>

#include "common/win32/dc_state.h"
#include "common/win32/global_dib.h"
#include "player/portable/msvc_random.h"
#include "player/portable/reveal_pattern.h"

namespace kz8::player {
namespace {

// Destination = source where the pattern is white (mask bit set), else the
// destination unchanged: ((D xor S) and P) xor D.
constexpr DWORD kRopSourceWherePatternWhite = 0xCA0749;

RevealPassHook gPassHook = nullptr;

// A monochrome 8 x 8 brush of the mask; each bitmap row is a 16-bit word
// whose first byte holds the row's bits.
Brush makeMaskBrush(const RevealMask& mask, Bitmap& bitmap) {
    WORD rows[kRevealTileSize];
    for (int j = 0; j < kRevealTileSize; ++j) rows[j] = WORD(mask[j]);
    bitmap.reset(CreateBitmap(kRevealTileSize, kRevealTileSize, 1, 1, rows));
    if (!bitmap) return Brush();
    return Brush(CreatePatternBrush(bitmap.get()));
}

void runPass(HDC target, HDC source, int x, int y, uint32_t w, uint32_t h,
             const std::vector<uint32_t>& order, int threshold) {
    Bitmap maskBitmap;
    Brush brush = makeMaskBrush(revealMask(threshold), maskBitmap);
    if (!brush) return;
    // A monochrome pattern takes the context's colours: bits set must be
    // white and clear bits black for the raster operation above.
    DcStateGuard restored(target);
    SetTextColor(target, RGB(0, 0, 0));
    SetBkColor(target, RGB(255, 255, 255));
    SetBrushOrgEx(target, 0, 0, nullptr);
    SelectObject(target, brush.get());
    const TileGrid grid = tileGridFor(w, h);
    for (uint32_t k : order) {
        TileRect t = tileRect(grid, k, w, h);
        BitBlt(target, x + t.x, y + t.y, t.width, t.height, source, t.x, t.y,
               kRopSourceWherePatternWhite);
    }
}

}  // namespace

void setRevealPassHook(RevealPassHook hook) { gPassHook = hook; }

bool Dissolve::prepare(HDC like, HGLOBAL newDib, int left, int top) {
    release();
    GlobalLockGuard lock(newDib);
    auto view = viewDib(lock);
    if (!view) return false;
    width_ = view->width();
    height_ = view->height();
    left_ = left;
    top_ = top;
    CreatedDc memory(CreateCompatibleDC(like));
    Bitmap picture(CreateCompatibleBitmap(like, int(width_), int(height_)));
    if (!memory || !picture) return false;
    SetDIBits(like, picture.get(), 0, height_, view->pixels(),
              reinterpret_cast<const BITMAPINFO*>(view->bytes()), DIB_RGB_COLORS);
    previous_ = SelectObject(memory.get(), picture.get());
    memory_ = std::move(memory);
    picture_ = std::move(picture);
    // The order continues the generator seeded at start-up, as the card's
    // tile order always has.
    order_ = tileVisitingOrder(tileGridFor(width_, height_).count(), [] { return cardRand(); });
    return true;
}

void Dissolve::drawPass(HDC target, int pass) const {
    if (!memory_ || !target) return;
    runPass(target, memory_.get(), left_, top_, width_, height_, order_, revealThreshold(pass));
    if (gPassHook) {
        GdiFlush();
        gPassHook(pass, revealThreshold(pass));
    }
}

void Dissolve::release() {
    if (memory_ && previous_) SelectObject(memory_.get(), previous_);
    previous_ = nullptr;
    memory_.reset();
    picture_.reset();
    order_.clear();
}

BOOL RevealDib(HDC dc, HGLOBAL oldDib, HGLOBAL newDib, int left, int top, int, int) {
    if (!dc || !oldDib || !newDib) return FALSE;
    Dissolve dissolve;
    if (!dissolve.prepare(dc, newDib, left, top)) return FALSE;
    for (int pass = 0; pass < kRevealPassCount; ++pass) dissolve.drawPass(dc, pass);
    dissolve.release();
    return TRUE;
}

}  // namespace kz8::player
