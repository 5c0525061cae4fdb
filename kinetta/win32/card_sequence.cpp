#include "card_sequence.h"

#include "audio/win32/card_sound.h"
#include "player/win32/dib_drawing.h"
#include "player/win32/media_window.h"
#include "player/win32/player_state.h"
#include "player_program.h"
#include "player_timers.h"

namespace kz8 {
namespace {

HWND mainWindow() { return playerProgram().mainWindow; }

void requestReveal() {
    playerState().displayState = kRevealPending;
    InvalidateRect(mainWindow(), nullptr, FALSE);
}

// The medium has ended for good: only Turn and Close are left to press.
void requestRevealAfterMedia() {
    requestReveal();
    playerProgram().buttons.EnablePlay(false);
    playerProgram().buttons.EnableStop(false);
}

HWND createMediaWindowFor(const char* path) {
    return CreateMediaWindow(mainWindow(), playerProgram().instance, kMediaWindowStyle, path);
}

// The handle is forgotten before the window is told to close, so that a mode
// notice it sends while closing is not taken for the end of the medium.
void closeMediaWindow(HWND& media) {
    HWND closing = media;
    media = nullptr;
    if (closing) CloseMedia(closing);
}

void startMp3Sound() {
    PlayerState& card = playerState();
    audio::stopCardSound();
    audio::openCardSound(mainWindow(), card.audioPath);
    const int32_t seconds = audio::cardSoundSeconds();
    if (seconds > 0) {
        audio::playCardSound();
        SetTimer(mainWindow(), kTimerSoundEnd, soundEndDelayMs(seconds), nullptr);
    } else {
        requestReveal();
    }
}

void startWaveSound() {
    PlayerState& card = playerState();
    if (!card.audioWindow) card.audioWindow = createMediaWindowFor(card.audioPath);
    if (MediaCanPlay(card.audioWindow)) {
        PlayMediaFromStart(card.audioWindow);
        SetFocus(mainWindow());
    } else {
        requestReveal();
    }
}

RECT turnRegionRect() {
    RECT cardRect{};
    GetCardRect(mainWindow(), &cardRect);
    RECT strip = playerProgram().link.stripRect();
    RECT region{};
    UnionRect(&region, &cardRect, &strip);
    return region;
}

void turnToBack() {
    PlayerState& card = playerState();
    if (card.videoWindow) PauseMedia(card.videoWindow);
    closeMediaWindow(card.videoWindow);
    playerProgram().buttons.EnablePlay(false);
    playerProgram().buttons.EnableStop(false);
    card.displayState = kRevealPending;
    const RECT region = turnRegionRect();
    InvalidateRect(mainWindow(), &region, FALSE);
    UpdateWindow(mainWindow());
}

void turnToFront() {
    PlayerState& card = playerState();
    if (card.hasAudio) {
        if (card.audioKind == kAudioWave && card.audioWindow) {
            closeMediaWindow(card.audioWindow);
            KillTimer(mainWindow(), kTimerSoundEnd);
        } else if (card.audioKind == kAudioMp3) {
            audio::stopCardSound();
            KillTimer(mainWindow(), kTimerSoundEnd);
        }
    }
    ArmStartTimer(mainWindow());
    card.displayState = kShowingFront;
    // Erased, so that the link strip below the card goes black again.
    const RECT region = turnRegionRect();
    InvalidateRect(mainWindow(), &region, TRUE);
    UpdateWindow(mainWindow());
}

}  // namespace

void ArmStartTimer(HWND window) {
    const PlayerState& card = playerState();
    ButtonBar& buttons = playerProgram().buttons;
    buttons.EnableStop(false);
    if (card.hasVideo)
        SetTimer(window, kTimerVideo, kMediaStartDelayMs, nullptr);
    else if (card.hasAudio)
        SetTimer(window, kTimerSound, kMediaStartDelayMs, nullptr);
    else
        SetTimer(window, kTimerReveal, kFrontOnlyShowMs, nullptr);
    buttons.EnablePlay(false);
}

void StartVideo() {
    PlayerState& card = playerState();
    if (card.displayState != kShowingFront) return;
    if (!card.videoWindow) card.videoWindow = createMediaWindowFor(card.videoPath);
    if (MediaCanPlay(card.videoWindow)) {
        RECT cardRect{};
        GetCardRect(mainWindow(), &cardRect);
        // The window fills the screen from its origin, so client coordinates
        // are the pop-up's screen position.
        RECT at = card.videoRect;
        OffsetRect(&at, cardRect.left, cardRect.top);
        ShowMediaAt(card.videoWindow, at);
        PlayMediaFromStart(card.videoWindow);
        SetFocus(mainWindow());
    } else if (card.hasAudio) {
        SetTimer(mainWindow(), kTimerSound, kMediaStartDelayMs, nullptr);
    } else {
        requestReveal();
    }
}

void StartSound() {
    switch (playerState().audioKind) {
        case kAudioWave:
            startWaveSound();
            break;
        case kAudioMp3:
            startMp3Sound();
            break;
        default:
            break;  // a kind this player does not know stays silent on the front
    }
}

void PauseSound() {
    PlayerState& card = playerState();
    if (card.audioKind == kAudioWave) {
        if (card.audioWindow) PauseMedia(card.audioWindow);
    } else if (card.audioKind == kAudioMp3) {
        audio::stopCardSound();
        KillTimer(mainWindow(), kTimerSoundEnd);
    }
}

void OnMediaStopped(HWND media, LPARAM mode) {
    if (mode != kMciModeStopped || !media) return;
    PlayerState& card = playerState();
    if (media == card.videoWindow) {
        closeMediaWindow(card.videoWindow);
        if (card.hasAudio) {
            SetTimer(mainWindow(), kTimerSound, kMediaStartDelayMs, nullptr);
            return;
        }
        requestRevealAfterMedia();
    } else if (media == card.audioWindow) {
        closeMediaWindow(card.audioWindow);
        requestRevealAfterMedia();
    }
}

void TurnCard() {
    switch (playerState().displayState) {
        case kShowingFront:
            turnToBack();
            break;
        case kShowingBack:
            turnToFront();
            break;
        default:
            break;  // a reveal is already waiting for its paint
    }
}

void OnPlayerTimer(HWND window, UINT_PTR timer) {
    ButtonBar& buttons = playerProgram().buttons;
    switch (timer) {
        case kTimerVideo:
            KillTimer(window, timer);
            StartVideo();
            buttons.EnableStop(true);
            break;
        case kTimerSound:
            KillTimer(window, timer);
            StartSound();
            buttons.EnableStop(true);
            break;
        case kTimerReveal:
            KillTimer(window, timer);
            requestReveal();
            break;
        case kTimerSoundEnd:
            KillTimer(window, timer);
            audio::stopCardSound();
            requestRevealAfterMedia();
            break;
        case kTimerTurn:
            KillTimer(window, timer);
            if (playerState().displayState == kShowingBack) playerProgram().turning = false;
            TurnCard();
            break;
        default:
            break;
    }
}

void CleanupPlayer() {
    PlayerState& card = playerState();
    // The files can only be deleted once nothing has them open: the MP3
    // engine and the media windows let go of them first.
    audio::stopCardSound();
    closeMediaWindow(card.videoWindow);
    closeMediaWindow(card.audioWindow);
    releasePlayerMedia(card);
    PostQuitMessage(0);
}

}  // namespace kz8
