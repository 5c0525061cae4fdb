// The template windows' rules that need no window: the character set of the
// system language, dragging, and which template becomes current when one is
// destroyed. The Win32 side applies them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/portable/rect.h"

namespace kz8::skinui {

constexpr uint8_t kAnsiCharSet = 0, kShiftJisCharSet = 128, kRussianCharSet = 204;

// From the system language's English name ("Japanese", "Russian", ...).
uint8_t charSetOfLanguage(std::string_view englishName);
// Whether the language writes its tips in double-byte characters, which sit
// differently in the tip rectangle.
bool isEastAsianLanguage(std::string_view englishName);

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// Whether a point lies in a rectangle: left and top inside, right and
// bottom outside.
bool contains(const Rect& r, Point p);

// Where a dragged window goes: its position plus the pointer's offset from
// the drag anchor.
Point draggedPosition(Point window, Point anchor, Point pointer);

// The index, in the list as it was, of the template that becomes current
// when the current one at index destroyed goes: its successor when it was
// the head, else its predecessor; nothing when it was the only one.
std::optional<size_t> currentAfterDestroy(size_t count, size_t destroyed);

}  // namespace kz8::skinui
