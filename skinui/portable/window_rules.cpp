#include "skinui/portable/window_rules.h"

namespace kz8::skinui {

uint8_t charSetOfLanguage(std::string_view englishName) {
    if (englishName == "Japanese") return kShiftJisCharSet;
    if (englishName == "Russian") return kRussianCharSet;
    return kAnsiCharSet;
}

bool isEastAsianLanguage(std::string_view englishName) {
    return englishName == "Japanese" || englishName == "Chinese" || englishName == "Korean";
}

bool contains(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

Point draggedPosition(Point window, Point anchor, Point pointer) {
    return Point{window.x + pointer.x - anchor.x, window.y + pointer.y - anchor.y};
}

std::optional<size_t> currentAfterDestroy(size_t count, size_t destroyed) {
    if (count <= 1 || destroyed >= count) return std::nullopt;
    return destroyed == 0 ? size_t(1) : destroyed - 1;
}

}  // namespace kz8::skinui
