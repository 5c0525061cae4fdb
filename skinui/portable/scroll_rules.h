// A skinned scroll bar's arithmetic without a window: where its thumb sits
// for a position, which position a point on the track means, how far a
// dragged thumb may stray, and what stepping and new ranges do.
#pragma once

#include <cstdint>
#include <optional>

#include "common/portable/rect.h"
#include "skinui/portable/window_rules.h"

namespace kz8::skinui {

struct ScrollGeometry {
    Rect track;  // SCROLLRECT
    bool vertical = false;
    int32_t minimum = 0, maximum = 0;
};

// The thumb of thumbWidth x thumbHeight for a position: its centre at the
// position's fraction along the track, kept whole inside it, centred across.
Rect thumbRectAt(const ScrollGeometry& bar, int32_t position, int thumbWidth, int thumbHeight);

// The position a point on the track stands for, rounded and kept inside the
// range; the minimum for a track without length.
int32_t positionAtPoint(const ScrollGeometry& bar, Point point);

// Whether a dragged thumb still follows the pointer: the track enlarged by
// 50 pixels on both sides across the bar and 150 at both ends along it.
bool insideDragArea(const ScrollGeometry& bar, Point point);

// A step button's position, kept inside the range.
int32_t steppedPosition(const ScrollGeometry& bar, int32_t position, int32_t step);

// What a new range does: nothing unless minimum < maximum; otherwise the
// position, pulled inside it when it was outside.
struct RangeChange {
    int32_t position = 0;
    bool positionMoved = false;
};
std::optional<RangeChange> changeRange(int32_t position, int32_t minimum, int32_t maximum);

}  // namespace kz8::skinui
