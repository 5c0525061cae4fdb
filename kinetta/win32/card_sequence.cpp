#include "kinetta/win32/card_sequence.h"

#include "audio/win32/card_sound.h"
#include "common/win32/handles.h"
#include "kinetta/win32/player_program.h"
#include "player/win32/player_state.h"

namespace kz8::player {
namespace {

CardSequenceMachine* sequence() { return playerProgram().sequence.get(); }

}  // namespace

void CreateCardSequence() {
    PlayerState& card = playerState();
    CardMediaFlags flags;
    flags.hasVideo = card.hasVideo != 0;
    flags.hasAudio = card.hasAudio != 0;
    flags.audioKind = card.audioKind;
    PlayerProgram& program = playerProgram();
    program.sequence =
        std::make_unique<CardSequenceMachine>(program.stage, flags, card.displayState);
}

void OnPlayerTimer(UINT_PTR timer) {
    if (sequence()) sequence()->onTimer(PlayerTimer(timer), GetTickCount());
}

void OnMediaStopped(HWND media, LPARAM mode) {
    const PlayerState& card = playerState();
    if (!media || !sequence()) return;
    if (media == card.videoWindow)
        sequence()->onMediaMode(Medium::Video, int32_t(mode));
    else if (media == card.audioWindow)
        sequence()->onMediaMode(Medium::Wave, int32_t(mode));
}

void PaintCard(HWND window) {
    PaintDc dc(window);
    if (!sequence()) return;
    PlayerStage& stage = playerProgram().stage;
    stage.setPaintDc(dc.get());
    sequence()->onPaint(GetTickCount());
    stage.setPaintDc(nullptr);
}

void CleanupPlayer() {
    PlayerProgram& program = playerProgram();
    // The files can only be deleted once nothing has them open: the MP3
    // engine and the media windows let go of them first.
    audio::stopCardSound();
    program.stage.closeMedium(Medium::Video);
    program.stage.closeMedium(Medium::Wave);
    program.stage.cancelTimer(kTimerDissolve);
    program.stage.endDissolve();
    releasePlayerMedia(playerState());
    PostQuitMessage(0);
}

}  // namespace kz8::player
