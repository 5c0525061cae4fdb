// Where the two faces of a printed card go on the page, and how a large
// picture is cut into bands so that no single stretch call gets too big.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/portable/dib.h"

namespace kz8::player {

struct PageRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PageRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The card's faces stacked on a W x H page, meeting at the middle row: the
// upper one ends at H / 2, the lower one starts at H / 2 + 1. Each keeps the
// 580 : 380 shape. False for an empty page or a missing output.
bool computePrintLayout(int pageWidth, int pageHeight, PageRect* upper, PageRect* lower);

// Pictures of 2^20 pixels or more are stretched in horizontal bands.
constexpr int kBandPixelShift = 20;

struct StretchBand {
    int sourceTop;  // first row, counted from the bottom row as DIBs are addressed
    int sourceHeight;
    int destTop;  // offset from the destination's top
    int destHeight;
};

// One band covering everything below the limit; n + 1 bands otherwise, band
// 0 at the bottom. Source and destination heights each add up exactly.
std::vector<StretchBand> planStretchBands(int sourceWidth, int sourceHeight, int destHeight);

// The picture turned by 180 degrees: rows in reverse order, pixels in
// reverse order within each row, row padding zero. Nothing for depths below
// 8 bits, whose pixels do not sit in whole bytes.
std::optional<Dib> rotateDib180(const DibView& source);

}  // namespace kz8::player
