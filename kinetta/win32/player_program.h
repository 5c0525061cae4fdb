// The card player program's own process-wide data, beside PlayerState: the
// instance, the one window, the two bars and the card's sequence with the
// stage that carries it out on the window.
#pragma once

#include <windows.h>

#include <memory>

#include "kinetta/win32/player_stage.h"
#include "player/portable/card_sequence_machine.h"
#include "player/win32/button_bar.h"
#include "player/win32/link_bar.h"

namespace kz8::player {

struct PlayerProgram {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    ButtonBar buttons;
    LinkBar link;
    PlayerStage stage;
    // Made once the card is unpacked, when its media flags are known.
    std::unique_ptr<CardSequenceMachine> sequence;
};

PlayerProgram& playerProgram();

}  // namespace kz8::player
