// The card's sequence as rules: the front while its clip and then its sound
// play, the back dissolving in, the buttons' Play, Stop and Turn, and which
// timer is armed and which buttons are enabled in each display state. The
// machine decides; a CardStage (the player window, or a test's recorder)
// carries the decisions out. Everything runs on the window thread.
#pragma once

#include <cstdint>

#include "player/portable/card_package.h"

namespace kz8::player {

// The player window's timers: ids and periods.
enum PlayerTimer : uint32_t {
    kTimerVideo = 520,     // start the clip
    kTimerSound = 530,     // start the sound
    kTimerReveal = 570,    // a card without media: turn to the back
    kTimerSoundEnd = 748,  // the MP3 has played: turn to the back
    kTimerTurn = 758,      // the Turn button's turn
    kTimerDissolve = 768,  // the next pass of the dissolve is due
};

constexpr uint32_t kMediaStartDelayMs = 20;
constexpr uint32_t kFrontOnlyShowMs = 5000;
constexpr uint32_t kTurnDelayMs = 50;
// The dissolve's eleven passes are drawn this far apart, so that a person
// sees it take a second on any machine; drawing a pass takes milliseconds.
constexpr uint32_t kDissolvePassIntervalMs = 100;

// The MP3 engine does not report its end to the window: the back comes one
// second after the last whole second of sound.
constexpr uint32_t soundEndDelayMs(int32_t wholeSeconds) {
    return uint32_t(wholeSeconds + 1) * 1000;
}

enum DisplayState : int32_t { kShowingFront = 0, kShowingBack = 1, kRevealPending = 2 };
// The media window's stopped mode; other modes (paused, playing) change nothing.
constexpr int32_t kMediaModeStopped = 525;

enum class Medium { Video, Wave };
enum class Picture { Front, Back };
// What a repaint covers: the whole window, or the card with the link strip.
enum class RepaintArea { Window, TurnRegion };

class CardStage {
public:
    virtual ~CardStage() = default;
    virtual void armTimer(PlayerTimer timer, uint32_t periodMs) = 0;
    virtual void cancelTimer(PlayerTimer timer) = 0;
    // Sets the button's state and redraws it.
    virtual void enablePlayButton(bool enable) = 0;
    virtual void enableStopButton(bool enable) = 0;
    // Sets both states without redrawing: the pressed button redraws itself.
    virtual void setPlayStopStates(bool playEnabled, bool stopEnabled) = 0;

    virtual bool hasMediaWindow(Medium medium) const = 0;
    // Makes the medium's window if there is none; whether it can play.
    virtual bool openMedium(Medium medium) = 0;
    virtual void showVideoOverCard() = 0;
    // From the start, then the keyboard focus back to the card.
    virtual void playMedium(Medium medium) = 0;
    virtual void pauseMedium(Medium medium) = 0;
    // Forgets the window and closes it; nothing when there is none.
    virtual void closeMedium(Medium medium) = 0;

    // Stops any MP3, opens the card's and gives its whole seconds (0: none).
    virtual int32_t openMp3() = 0;
    virtual void playMp3() = 0;
    virtual void stopMp3() = 0;

    virtual void requestRepaint(RepaintArea area, bool erase) = 0;
    virtual void updateNow() = 0;

    // Painting; the dissolve's passes go over what the card area shows.
    virtual void paintButtons() = 0;
    virtual void drawPicture(Picture picture) = 0;
    virtual void paintLink() = 0;
    virtual void beginDissolve() = 0;
    virtual void drawDissolvePass(int pass) = 0;
    virtual void endDissolve() = 0;
};

struct CardMediaFlags {
    bool hasVideo = false;
    bool hasAudio = false;
    int32_t audioKind = kAudioWave;
};

class CardSequenceMachine {
public:
    // The display state lives in the player's process-wide record, where the
    // machine keeps it.
    CardSequenceMachine(CardStage& stage, CardMediaFlags card, int32_t& displayState)
        : stage_(stage), card_(card), state_(displayState) {
        state_ = kShowingFront;
    }
    CardSequenceMachine(const CardSequenceMachine&) = delete;
    CardSequenceMachine& operator=(const CardSequenceMachine&) = delete;

    DisplayState displayState() const { return DisplayState(state_); }
    // While a turn is under way the buttons rest: mouse moves are not passed
    // on, and Play, Stop, Turn, Print and the link do nothing.
    bool turning() const { return turning_; }
    bool dissolving() const { return passesDrawn_ > 0; }

    void onCreated() { armStartTimer(); }
    void onTimer(PlayerTimer timer, uint32_t nowMs);
    void onMediaMode(Medium medium, int32_t mode);
    void onPlay();
    void onStop();
    void onTurn();
    void onPaint(uint32_t nowMs);

private:
    void armStartTimer();
    void startVideo();
    void startSound();
    void pauseSound();
    void requestReveal();
    void requestRevealAfterMedia();
    void turnCard();
    void turnToBack();
    void turnToFront();
    void startDissolve(uint32_t nowMs);
    void continueDissolve(uint32_t nowMs);

    CardStage& stage_;
    const CardMediaFlags card_;
    int32_t& state_;
    bool turning_ = false;
    Picture lastShown_ = Picture::Front;  // what a dissolve goes over
    int passesDrawn_ = 0;
    uint32_t dissolveStartMs_ = 0;
};

}  // namespace kz8::player
