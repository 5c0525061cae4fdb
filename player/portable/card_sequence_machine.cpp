#include "player/portable/card_sequence_machine.h"

#include "player/portable/reveal_pattern.h"

namespace kz8::player {

void CardSequenceMachine::armStartTimer() {
    stage_.enableStopButton(false);
    if (card_.hasVideo)
        stage_.armTimer(kTimerVideo, kMediaStartDelayMs);
    else if (card_.hasAudio)
        stage_.armTimer(kTimerSound, kMediaStartDelayMs);
    else
        stage_.armTimer(kTimerReveal, kFrontOnlyShowMs);
    stage_.enablePlayButton(false);
}

void CardSequenceMachine::requestReveal() {
    state_ = kRevealPending;
    stage_.requestRepaint(RepaintArea::Window, false);
}

// The medium has ended for good: only Turn and Close are left to press.
void CardSequenceMachine::requestRevealAfterMedia() {
    requestReveal();
    stage_.enablePlayButton(false);
    stage_.enableStopButton(false);
}

void CardSequenceMachine::startVideo() {
    if (state_ != kShowingFront) return;
    if (stage_.openMedium(Medium::Video)) {
        stage_.showVideoOverCard();
        stage_.playMedium(Medium::Video);
    } else if (card_.hasAudio) {
        stage_.armTimer(kTimerSound, kMediaStartDelayMs);
    } else {
        requestReveal();
    }
}

void CardSequenceMachine::startSound() {
    if (card_.audioKind == kAudioWave) {
        if (stage_.openMedium(Medium::Wave))
            stage_.playMedium(Medium::Wave);
        else
            requestReveal();
    } else if (card_.audioKind == kAudioMp3) {
        const int32_t seconds = stage_.openMp3();
        if (seconds > 0) {
            stage_.playMp3();
            stage_.armTimer(kTimerSoundEnd, soundEndDelayMs(seconds));
        } else {
            requestReveal();
        }
    }
    // A sound of a kind this player does not know stays silent on the front.
}

void CardSequenceMachine::pauseSound() {
    if (card_.audioKind == kAudioWave) {
        if (stage_.hasMediaWindow(Medium::Wave)) stage_.pauseMedium(Medium::Wave);
    } else if (card_.audioKind == kAudioMp3) {
        stage_.stopMp3();
        stage_.cancelTimer(kTimerSoundEnd);
    }
}

void CardSequenceMachine::onTimer(PlayerTimer timer, uint32_t nowMs) {
    switch (timer) {
        case kTimerVideo:
            stage_.cancelTimer(timer);
            startVideo();
            stage_.enableStopButton(true);
            break;
        case kTimerSound:
            stage_.cancelTimer(timer);
            startSound();
            stage_.enableStopButton(true);
            break;
        case kTimerReveal:
            stage_.cancelTimer(timer);
            requestReveal();
            break;
        case kTimerSoundEnd:
            stage_.cancelTimer(timer);
            stage_.stopMp3();
            requestRevealAfterMedia();
            break;
        case kTimerTurn:
            stage_.cancelTimer(timer);
            if (state_ == kShowingBack) turning_ = false;
            turnCard();
            break;
        case kTimerDissolve: continueDissolve(nowMs); break;
    }
}

void CardSequenceMachine::onMediaMode(Medium medium, int32_t mode) {
    if (mode != kMediaModeStopped) return;
    stage_.closeMedium(medium);
    if (medium == Medium::Video && card_.hasAudio) {
        stage_.armTimer(kTimerSound, kMediaStartDelayMs);
        return;
    }
    requestRevealAfterMedia();
}

// Play restarts the medium from its beginning.
void CardSequenceMachine::onPlay() {
    if (turning_) return;
    if (card_.hasVideo && stage_.hasMediaWindow(Medium::Video))
        startVideo();
    else if (card_.hasAudio)
        startSound();
    stage_.setPlayStopStates(false, true);
}

void CardSequenceMachine::onStop() {
    if (turning_) return;
    if (card_.hasVideo && stage_.hasMediaWindow(Medium::Video))
        stage_.pauseMedium(Medium::Video);
    else if (card_.hasAudio)
        pauseSound();
    stage_.setPlayStopStates(true, false);
}

void CardSequenceMachine::onTurn() {
    if (turning_) return;
    stage_.armTimer(kTimerTurn, kTurnDelayMs);
    turning_ = true;
}

void CardSequenceMachine::turnCard() {
    if (state_ == kShowingFront)
        turnToBack();
    else if (state_ == kShowingBack)
        turnToFront();
    // A reveal under way or waiting for its paint is not turned.
}

void CardSequenceMachine::turnToBack() {
    if (stage_.hasMediaWindow(Medium::Video)) {
        stage_.pauseMedium(Medium::Video);
        stage_.closeMedium(Medium::Video);
    }
    stage_.enablePlayButton(false);
    stage_.enableStopButton(false);
    state_ = kRevealPending;
    stage_.requestRepaint(RepaintArea::TurnRegion, false);
    stage_.updateNow();
}

void CardSequenceMachine::turnToFront() {
    if (card_.hasAudio) {
        if (card_.audioKind == kAudioWave && stage_.hasMediaWindow(Medium::Wave)) {
            stage_.closeMedium(Medium::Wave);
            stage_.cancelTimer(kTimerSoundEnd);
        } else if (card_.audioKind == kAudioMp3) {
            stage_.stopMp3();
            stage_.cancelTimer(kTimerSoundEnd);
        }
    }
    armStartTimer();
    state_ = kShowingFront;
    // Erased, so that the link strip below the card goes black again.
    stage_.requestRepaint(RepaintArea::TurnRegion, true);
    stage_.updateNow();
}

void CardSequenceMachine::onPaint(uint32_t nowMs) {
    stage_.paintButtons();
    switch (state_) {
        case kShowingFront:
            stage_.drawPicture(Picture::Front);
            lastShown_ = Picture::Front;
            break;
        case kShowingBack:
            stage_.drawPicture(Picture::Back);
            stage_.paintLink();
            lastShown_ = Picture::Back;
            break;
        case kRevealPending:
            if (!dissolving()) {
                startDissolve(nowMs);
                break;
            }
            // An exposure during the dissolve: what it went over, with the
            // passes drawn so far.
            stage_.drawPicture(lastShown_);
            for (int pass = 0; pass < passesDrawn_; ++pass) stage_.drawDissolvePass(pass);
            break;
    }
}

// Over whatever the card area shows now: the front, or the back itself when
// a sound ends after the card was turned.
void CardSequenceMachine::startDissolve(uint32_t nowMs) {
    stage_.beginDissolve();
    stage_.drawDissolvePass(0);
    passesDrawn_ = 1;
    dissolveStartMs_ = nowMs;
    stage_.armTimer(kTimerDissolve, kDissolvePassIntervalMs);
}

// Every pass that is due by now is drawn, so that a late timer shortens the
// wait rather than lengthening the dissolve.
void CardSequenceMachine::continueDissolve(uint32_t nowMs) {
    if (!dissolving()) {
        stage_.cancelTimer(kTimerDissolve);
        return;
    }
    const uint32_t due = (nowMs - dissolveStartMs_) / kDissolvePassIntervalMs + 1;
    while (passesDrawn_ < kRevealPassCount && uint32_t(passesDrawn_) < due)
        stage_.drawDissolvePass(passesDrawn_++);
    if (passesDrawn_ < kRevealPassCount) return;
    stage_.cancelTimer(kTimerDissolve);
    stage_.endDissolve();
    passesDrawn_ = 0;
    stage_.paintLink();
    turning_ = false;
    state_ = kShowingBack;
    lastShown_ = Picture::Back;
}

}  // namespace kz8::player
