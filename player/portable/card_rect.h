// The card's place in the player window: a fixed 580 x 380 rectangle centred
// in the client area; all of the player's layout hangs off it.
#pragma once

#include "common/portable/rect.h"

namespace kz8::player {

constexpr int kCardWidth = 580;
constexpr int kCardHeight = 380;

using CardRect = Rect;

// Negative left or top when the client area is smaller than the card; the
// window then clips the picture. Division truncates towards zero.
CardRect cardRectInClient(int clientRight, int clientBottom);

}  // namespace kz8::player
