// Where the player's buttons go: the bar of five above the card's top-right
// corner and the logo strip with the link below its bottom-right corner.
#pragma once

#include <array>

#include "card_rect.h"

namespace kz8 {

struct LayoutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const LayoutRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

enum BarButton { kPlayButton, kStopButton, kTurnButton, kPrintButton, kCloseButton, kBarButtonCount };

// The bar ends 5 pixels above the card.
constexpr int kBarGap = 5;
constexpr int kStripGap = 5;

struct ButtonBarLayout {
    LayoutRect bar;
    std::array<LayoutRect, kBarButtonCount> buttons;
};

// The bar's size comes from its bitmap; the buttons sit inside it with fixed
// widths (17, 17, 23, 23, then 17 after a gap).
ButtonBarLayout layOutButtonBar(const CardRect& card, int barWidth, int barHeight);

struct LinkBarLayout {
    LayoutRect strip;
    LayoutRect link;  // the strip's right end, as wide as the link bitmap
};

LinkBarLayout layOutLinkBar(const CardRect& card, int stripWidth, int stripHeight, int linkWidth);

}  // namespace kz8
