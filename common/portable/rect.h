// The one rectangle of the portable code: left and top inside, right and
// bottom outside, as the platform's RECT has them.
#pragma once

namespace kz8 {
inline namespace common {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

}  // namespace common
}  // namespace kz8
