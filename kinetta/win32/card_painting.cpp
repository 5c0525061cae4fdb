#include "card_painting.h"

#include "common/win32/handles.h"
#include "player/win32/dib_drawing.h"
#include "player/win32/player_state.h"
#include "player/win32/reveal.h"
#include "player_program.h"

namespace kz8 {

void PaintCard(HWND window) {
    PaintDc dc(window);
    RECT card{};
    GetCardRect(window, &card);
    PlayerProgram& program = playerProgram();
    PlayerState& state = playerState();
    program.buttons.Paint(dc.get());
    switch (state.displayState) {
        case kShowingFront:
            DrawDib(dc.get(), state.frontPicture, card.left, card.top);
            break;
        case kShowingBack:
            DrawDib(dc.get(), state.backPicture, card.left, card.top);
            program.link.Paint(dc.get());
            break;
        case kRevealPending:
            // Over whatever the card area shows now: the front, or the back
            // itself when a sound ends after the card was turned.
            RevealDib(dc.get(), state.frontPicture, state.backPicture, card.left, card.top,
                      card.right, card.bottom);
            program.link.Paint(dc.get());
            program.turning = false;
            state.displayState = kShowingBack;
            break;
        default:
            break;
    }
}

}  // namespace kz8
