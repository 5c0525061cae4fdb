// Between the portable rectangle and the platform's RECT.
#pragma once

#include <windows.h>

#include "common/portable/rect.h"

namespace kz8 {
inline namespace common {

inline RECT toRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect fromRECT(const RECT& r) {
    return Rect{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

}  // namespace common
}  // namespace kz8
