// The player window's timers: ids and periods.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kz8 {

enum PlayerTimer : UINT_PTR {
    kTimerVideo = 520,     // start the clip
    kTimerSound = 530,     // start the sound
    kTimerReveal = 570,    // a card without media: turn to the back
    kTimerSoundEnd = 748,  // the MP3 has played: turn to the back
    kTimerTurn = 758,      // the Turn button's turn
};

constexpr UINT kMediaStartDelayMs = 20;
constexpr UINT kFrontOnlyShowMs = 5000;
constexpr UINT kTurnDelayMs = 50;

// The MP3 engine does not report its end to the window: the back comes one
// second after the last whole second of sound.
constexpr UINT soundEndDelayMs(int32_t wholeSeconds) { return UINT(wholeSeconds + 1) * 1000; }

}  // namespace kz8
