// Where the player's buttons go: the bar of five above the card's top-right
// corner and the logo strip with the link below its bottom-right corner.
#pragma once

#include "common/portable/rect.h"

#include <array>

#include "player/portable/card_rect.h"

namespace kz8::player {

using LayoutRect = Rect;

enum BarButton {
    kPlayButton,
    kStopButton,
    kTurnButton,
    kPrintButton,
    kCloseButton,
    kBarButtonCount
};

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

}  // namespace kz8::player
