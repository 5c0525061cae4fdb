// Restores a device context as it was when the guard was made: selected pen,
// brush, font and bitmap, clip region, colours, brush origin and modes. For
// drawing code that changes several of them and must leave the caller's
// context untouched on every path.
#pragma once

#include <windows.h>

namespace kz8 {
inline namespace common {

class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ~DcStateGuard() {
        if (saved_ > 0) RestoreDC(dc_, saved_);
    }
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;

    bool saved() const { return saved_ > 0; }

private:
    HDC dc_;
    int saved_;
};

}  // namespace common
}  // namespace kz8
