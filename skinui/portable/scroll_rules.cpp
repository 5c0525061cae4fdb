#include "skinui/portable/scroll_rules.h"

#include <algorithm>
#include <cmath>

namespace kz8::skinui {

namespace {

constexpr int kDragSlackAcross = 50;
constexpr int kDragSlackAlong = 150;

double fractionOf(const ScrollGeometry& bar, int32_t position) {
    if (bar.maximum == bar.minimum) return 0.0;
    return (double(position) - bar.minimum) / (double(bar.maximum) - bar.minimum);
}

}  // namespace

Rect thumbRectAt(const ScrollGeometry& bar, int32_t position, int thumbWidth, int thumbHeight) {
    const Rect& t = bar.track;
    const int start = bar.vertical ? t.top : t.left;
    const int end = bar.vertical ? t.bottom : t.right;
    const int length = bar.vertical ? thumbHeight : thumbWidth;
    const int breadth = bar.vertical ? thumbWidth : thumbHeight;
    const int half = length / 2;
    int centre = start + int(fractionOf(bar, position) * (end - start));
    // The lower bound wins for a thumb longer than its track.
    centre = std::max(std::min(centre, end - half), start + half);
    const int acrossCentre = bar.vertical ? (t.left + t.right) / 2 : (t.top + t.bottom) / 2;
    const int along = centre - half, across = acrossCentre - breadth / 2;
    return bar.vertical ? Rect{across, along, across + thumbWidth, along + thumbHeight}
                        : Rect{along, across, along + thumbWidth, across + thumbHeight};
}

int32_t positionAtPoint(const ScrollGeometry& bar, Point point) {
    const Rect& t = bar.track;
    const int start = bar.vertical ? t.top : t.left;
    const int length = bar.vertical ? t.height() : t.width();
    const int at = bar.vertical ? point.y : point.x;
    const double fraction = length > 0 ? double(at - start) / length : 0.0;
    const double range = double(bar.maximum) - bar.minimum;
    const double position = bar.minimum + std::round(fraction * range);
    return int32_t(std::clamp(position, double(bar.minimum), double(bar.maximum)));
}

bool insideDragArea(const ScrollGeometry& bar, Point point) {
    const Rect& t = bar.track;
    const int slackX = bar.vertical ? kDragSlackAcross : kDragSlackAlong;
    const int slackY = bar.vertical ? kDragSlackAlong : kDragSlackAcross;
    return point.x >= t.left - slackX && point.x < t.right + slackX && point.y >= t.top - slackY &&
           point.y < t.bottom + slackY;
}

int32_t steppedPosition(const ScrollGeometry& bar, int32_t position, int32_t step) {
    const int64_t stepped = int64_t(position) + step;
    return int32_t(std::clamp<int64_t>(stepped, bar.minimum, bar.maximum));
}

std::optional<RangeChange> changeRange(int32_t position, int32_t minimum, int32_t maximum) {
    if (minimum >= maximum) return std::nullopt;
    RangeChange change;
    change.position = std::clamp(position, minimum, maximum);
    change.positionMoved = change.position != position;
    return change;
}

}  // namespace kz8::skinui
