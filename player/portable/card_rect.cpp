#include "player/portable/card_rect.h"

namespace kz8::player {

CardRect cardRectInClient(int clientRight, int clientBottom) {
    CardRect rect;
    rect.left = (clientRight - kCardWidth) / 2;
    rect.top = (clientBottom - kCardHeight) / 2;
    rect.right = rect.left + kCardWidth;
    rect.bottom = rect.top + kCardHeight;
    return rect;
}

}  // namespace kz8::player
