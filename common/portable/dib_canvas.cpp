#include "common/portable/dib_canvas.h"

#include <algorithm>

namespace kz8 {
inline namespace common {

namespace {

RgbQuad pixelOf(const DibView& picture, const uint8_t* row, uint32_t x) {
    const unsigned bits = picture.layout().bitCount;
    if (bits == 24 || bits == 32) {
        const uint8_t* p = row + x * (bits / 8);
        return RgbQuad{p[0], p[1], p[2], 0};
    }
    const uint32_t bit = x * bits;
    const unsigned shift = 8 - bits - (bit % 8);
    const uint32_t index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
    return picture.colour(index).value_or(RgbQuad{});
}

bool inside(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

void drawOnCanvas(MutableDibView canvas, const DibView& picture, int x, int y,
                  const CanvasClip& clip) {
    if (canvas.layout().bitCount != 24) return;
    const unsigned bits = picture.layout().bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return;
    Rect area{0, 0, int(canvas.width()), int(canvas.height())};
    if (clip.keepInside) {
        const Rect& k = *clip.keepInside;
        area = Rect{std::max(area.left, k.left), std::max(area.top, k.top),
                    std::min(area.right, k.right), std::min(area.bottom, k.bottom)};
    }
    const int fromY = std::max(y, area.top), toY = std::min(y + int(picture.height()), area.bottom);
    const int fromX = std::max(x, area.left), toX = std::min(x + int(picture.width()), area.right);
    if (fromX >= toX) return;
    for (int cy = fromY; cy < toY; ++cy) {
        const uint8_t* source = picture.row(uint32_t(cy - y));
        uint8_t* target = canvas.row(uint32_t(cy));
        if (bits == 24 && !clip.leaveOut) {  // the common case, row by row
            std::copy(source + 3 * (fromX - x), source + 3 * (toX - x), target + 3 * fromX);
            continue;
        }
        for (int cx = fromX; cx < toX; ++cx) {
            if (clip.leaveOut && inside(*clip.leaveOut, cx, cy)) continue;
            const RgbQuad colour = pixelOf(picture, source, uint32_t(cx - x));
            uint8_t* p = target + 3 * cx;
            p[0] = colour.blue, p[1] = colour.green, p[2] = colour.red;
        }
    }
}

}  // namespace common
}  // namespace kz8
