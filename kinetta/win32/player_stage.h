// The card's sequence carried out on the player window: timers, the bar's
// buttons, the media windows, the MP3 engine and painting. The rules of what
// happens when live in CardSequenceMachine.
#pragma once

#include <windows.h>

#include "player/portable/card_sequence_machine.h"
#include "player/win32/reveal.h"

namespace kz8::player {

class PlayerStage : public CardStage {
public:
    void armTimer(PlayerTimer timer, uint32_t periodMs) override;
    void cancelTimer(PlayerTimer timer) override;
    void enablePlayButton(bool enable) override;
    void enableStopButton(bool enable) override;
    void setPlayStopStates(bool playEnabled, bool stopEnabled) override;

    bool hasMediaWindow(Medium medium) const override;
    bool openMedium(Medium medium) override;
    void showVideoOverCard() override;
    void playMedium(Medium medium) override;
    void pauseMedium(Medium medium) override;
    void closeMedium(Medium medium) override;

    int32_t openMp3() override;
    void playMp3() override;
    void stopMp3() override;

    void requestRepaint(RepaintArea area, bool erase) override;
    void updateNow() override;

    void paintButtons() override;
    void drawPicture(Picture picture) override;
    void paintLink() override;
    void beginDissolve() override;
    void drawDissolvePass(int pass) override;
    void endDissolve() override;

    // Drawing goes to the paint context while a paint runs, else to a
    // context of the window taken for the one drawing.
    void setPaintDc(HDC dc) { paintDc_ = dc; }

private:
    template <typename Draw>
    void drawOnWindow(Draw draw);

    HDC paintDc_ = nullptr;
    Dissolve dissolve_;
};

}  // namespace kz8::player
