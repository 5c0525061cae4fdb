#include "reveal.h"

#include <vector>

#include "common/win32/global_dib.h"
#include "player/portable/msvc_random.h"
#include "player/portable/reveal_pattern.h"

namespace kz8 {
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
    COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
    POINT oldOrigin{};
    SetBrushOrgEx(target, 0, 0, &oldOrigin);
    {
        SelectionGuard selected(target, brush.get());
        const TileGrid grid = tileGridFor(w, h);
        for (uint32_t k : order) {
            TileRect t = tileRect(grid, k, w, h);
            BitBlt(target, x + t.x, y + t.y, t.width, t.height, source, t.x, t.y,
                   kRopSourceWherePatternWhite);
        }
    }
    SetBrushOrgEx(target, oldOrigin.x, oldOrigin.y, nullptr);
    SetTextColor(target, oldText);
    SetBkColor(target, oldBack);
}

void dissolve(HDC target, HDC source, int x, int y, uint32_t w, uint32_t h) {
    // The order continues the generator seeded at start-up, as the card's
    // tile order always has.
    const std::vector<uint32_t> order =
        tileVisitingOrder(tileGridFor(w, h).count(), [] { return cardRand(); });
    for (int pass = 0; pass < kRevealPassCount; ++pass) {
        runPass(target, source, x, y, w, h, order, revealThreshold(pass));
        if (gPassHook) {
            GdiFlush();
            gPassHook(pass, revealThreshold(pass));
        }
    }
}

}  // namespace

void setRevealPassHook(RevealPassHook hook) { gPassHook = hook; }

BOOL RevealDib(HDC dc, HGLOBAL oldDib, HGLOBAL newDib, int left, int top, int, int) {
    if (!dc || !oldDib || !newDib) return FALSE;
    GlobalLockGuard lock(newDib);
    auto view = viewDib(lock);
    if (!view) return FALSE;
    const uint32_t w = view->width(), h = view->height();

    CreatedDc memory(CreateCompatibleDC(dc));
    Bitmap picture(CreateCompatibleBitmap(dc, int(w), int(h)));
    if (!memory || !picture) return FALSE;
    SetDIBits(dc, picture.get(), 0, h, view->pixels(),
              reinterpret_cast<const BITMAPINFO*>(view->bytes()), DIB_RGB_COLORS);
    SelectionGuard selected(memory.get(), picture.get());
    dissolve(dc, memory.get(), left, top, w, h);
    return TRUE;
}

}  // namespace kz8
