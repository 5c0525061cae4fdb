#include "button_actions.h"

#include "card_sequence.h"
#include "player/win32/card_print_job.h"
#include "player/win32/media_window.h"
#include "player/win32/open_link.h"
#include "player/win32/player_state.h"
#include "player/win32/player_strings.h"
#include "player_program.h"
#include "player_timers.h"

namespace kz8 {
namespace {

constexpr int kLinkTextSize = 256;

bool videoIsOpen() {
    const PlayerState& card = playerState();
    return card.hasVideo && card.videoWindow;
}

// Play restarts the medium from its beginning; the pressed button redraws
// itself on release and its partner on the next mouse move.
int onPlay() {
    if (playerProgram().turning) return 0;
    if (videoIsOpen())
        StartVideo();
    else if (playerState().hasAudio)
        StartSound();
    playerProgram().buttons.SetStopEnabled(true);
    playerProgram().buttons.SetPlayEnabled(false);
    return 0;
}

int onStop() {
    if (playerProgram().turning) return 0;
    if (videoIsOpen())
        PauseMedia(playerState().videoWindow);
    else if (playerState().hasAudio)
        PauseSound();
    playerProgram().buttons.SetStopEnabled(false);
    playerProgram().buttons.SetPlayEnabled(true);
    return 0;
}

int onTurn() {
    PlayerProgram& program = playerProgram();
    if (program.turning) return 0;
    SetTimer(program.mainWindow, kTimerTurn, kTurnDelayMs, nullptr);
    program.turning = true;
    return 0;
}

int onPrint() {
    if (playerProgram().turning) return 0;
    CardPrintJob job;
    job.PrepareCopies(playerState().backPicture, playerState().frontPicture);
    job.PrintCard();
    return 0;
}

int onClose() {
    SendMessageA(playerProgram().mainWindow, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int OnLinkButton() {
    if (playerProgram().turning) return 0;
    char target[kLinkTextSize] = {};
    LoadStringA(playerProgram().instance, IDS_LINK_TARGET, target, sizeof target);
    OpenLink(target, SW_SHOWNORMAL);
    return 0;
}

ButtonBarActions playerButtonActions() { return {onPlay, onStop, onTurn, onPrint, onClose}; }

}  // namespace kz8
