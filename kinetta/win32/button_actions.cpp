#include "kinetta/win32/button_actions.h"

#include "kinetta/win32/player_program.h"
#include "player/win32/card_print_job.h"
#include "player/win32/open_link.h"
#include "player/win32/player_state.h"
#include "player/win32/player_strings.h"

namespace kz8::player {
namespace {

constexpr int kLinkTextSize = 256;

CardSequenceMachine& sequence() { return *playerProgram().sequence; }
bool turning() { return playerProgram().sequence && sequence().turning(); }

// The pressed button redraws itself on release and its partner on the next
// mouse move.
int onPlay() {
    if (playerProgram().sequence) sequence().onPlay();
    return 0;
}

int onStop() {
    if (playerProgram().sequence) sequence().onStop();
    return 0;
}

int onTurn() {
    if (playerProgram().sequence) sequence().onTurn();
    return 0;
}

int onPrint() {
    if (turning()) return 0;
    CardPrintJob job;
    job.PrepareCopies(playerState().backPicture.get(), playerState().frontPicture.get());
    job.PrintCard();
    return 0;
}

int onClose() {
    SendMessageA(playerProgram().mainWindow, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int OnLinkButton() {
    if (turning()) return 0;
    char target[kLinkTextSize] = {};
    LoadStringA(playerProgram().instance, IDS_LINK_TARGET, target, sizeof target);
    OpenLink(target, SW_SHOWNORMAL);
    return 0;
}

ButtonBarActions playerButtonActions() { return {onPlay, onStop, onTurn, onPrint, onClose}; }

}  // namespace kz8::player
