// Play range and output rate of one playback: the arithmetic the player does
// on its parameters before and while it plays, kept free of threads so that
// it can be tested alone.
#pragma once

#include <cstdint>

#include "audio/portable/playback_params.h"

namespace kz8::audio {

constexpr uint32_t kNoEndTime = 0xFFFFFFFFu;
// The wave device does not take 48 kHz from us: such streams are decoded 2:1.
constexpr int32_t kHalvingThresholdRate = 47999;

// Stores the range as given: an end before the start means no end.
void storeRange(PlaybackParams& params, uint32_t startMs, uint32_t endMs);
// Turns the stored times into frame numbers (an end time of 0 is no end).
void convertRange(PlaybackParams& params, double timePerFrameMs);

struct RateChoice {
    int32_t downSample = 0;   // 0 1:1, 1 2:1
    int32_t sampleRate = 0;   // the output rate
    int32_t forcedRate = -1;  // -1: follow the stream
};

// The output rate for a stream: full rate, except that a stream above
// kHalvingThresholdRate played through the wave device is halved. A forced
// rate of the caller (not -1) wins over the stream's own.
RateChoice chooseOutputRate(int32_t streamRate, int32_t outputMode, int32_t callerForcedRate);

// Whole seconds of a length in milliseconds, as the preview library reports
// them: seconds within the minute plus whole minutes.
int32_t previewSeconds(int32_t milliseconds);

}  // namespace kz8::audio
