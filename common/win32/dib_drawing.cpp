#include "common/win32/dib_drawing.h"

#include "common/win32/global_dib.h"

namespace kz8 {
inline namespace common {

namespace {

void drawView(HDC dc, const DibView& view, int x, int y) {
    const auto* info = reinterpret_cast<const BITMAPINFO*>(view.bytes());
    const DWORD width = view.width(), height = view.height();
    SetDIBitsToDevice(dc, x, y, width, height, 0, 0, 0, height, view.pixels(), info,
                      DIB_RGB_COLORS);
}

}  // namespace

BOOL DrawDib(HDC dc, HGLOBAL dib, int x, int y) {
    if (!dc || !dib) return FALSE;
    GlobalLockGuard lock(dib);
    auto view = viewDib(lock);
    if (!view) return FALSE;
    drawView(dc, *view, x, y);
    return TRUE;
}

BOOL drawDibBytes(HDC dc, const Dib& dib, int x, int y) {
    if (!dc) return FALSE;
    drawView(dc, dib.view(), x, y);
    return TRUE;
}

int GetDibSize(HGLOBAL dib, int* width, int* height) {
    if (!dib) return 0;
    GlobalLockGuard lock(dib);
    auto view = viewDib(lock);
    if (!view) return 0;
    if (width) *width = int(view->width());
    if (height) *height = int(view->height());
    return int(view->height());
}

}  // namespace common
}  // namespace kz8
