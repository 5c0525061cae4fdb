// Pictures put together in one 24-bit picture, so that a window made of
// many pictures reaches the screen in one drawing call. Each picture lands
// with its top-left corner at x, y as a device would draw it: cut to the
// canvas, optionally kept inside one rectangle and out of another.
#pragma once

#include <optional>

#include "common/portable/dib.h"
#include "common/portable/rect.h"

namespace kz8 {
inline namespace common {

struct CanvasClip {
    std::optional<Rect> keepInside;  // nothing: the whole canvas
    std::optional<Rect> leaveOut;    // nothing: no hole
};

// canvas: 24 bits. Pictures of 1, 4, 8, 24 or 32 bits; a palette index
// past the colour table gives black, as the platform draws it.
void drawOnCanvas(MutableDibView canvas, const DibView& picture, int x, int y,
                  const CanvasClip& clip = {});

}  // namespace common
}  // namespace kz8
