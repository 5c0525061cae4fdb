// The arithmetic of a conversion: how long each frame lasts in the movie,
// how many frames it takes, how large the sound may grow, and the progress
// of each phase. Source times are in 100-nanosecond units.
#pragma once

#include <cstdint>

namespace kz8::movie {

constexpr int64_t kUnitsPerSecond = 10000000;
constexpr int64_t kUnitsPerMillisecond = 10000;

struct MovieTiming {
    uint32_t frameDuration = 1;  // in 600ths of a second, never 0
    int64_t frameLimit = 0;      // N: frames are written while at most N were
};

// From the source's duration D and time per frame T. Frames last 600 / fps
// (fps = 10^7 / T, whole), truncated but at least one unit; a source of
// less than one frame a second lasts T, and one without a frame time (T of
// 0) is one frame lasting D.
MovieTiming movieTiming(int64_t duration, int64_t timePerFrame);

// Bytes of 22050 Hz 8-bit mono for `duration`, as the sound is gathered:
// 22050 x whole milliseconds / 1000.
uint64_t soundCapacity(int64_t duration);

// The video phase: 0 to 90 by the source time the frames covered.
int videoProgress(int64_t consumed, int64_t duration);
// The sound phase: from `start` to 100 by whole seconds of sound read.
int soundProgress(int start, int64_t consumed, int64_t duration);

}  // namespace kz8::movie
