#include "audio/portable/playback_range.h"

#include "audio/portable/output_settings.h"

namespace kz8::audio {

namespace {
constexpr int32_t kMsPerSecond = 1000;
constexpr int32_t kMsPerMinute = 60000;
constexpr int32_t kSecondsPerMinute = 60;
}  // namespace

void storeRange(PlaybackParams& params, uint32_t startMs, uint32_t endMs) {
    params.startTime = startMs;
    params.endTime = (endMs != 0 && endMs < startMs) ? kNoEndTime : endMs;
}

void convertRange(PlaybackParams& params, double timePerFrameMs) {
    if (timePerFrameMs <= 0.0) return;
    params.startFrame = uint32_t(params.startTime / timePerFrameMs);
    if (params.endTime == 0 || params.endTime == kNoEndTime) {
        params.endTime = kNoEndTime;
        params.endFrame = kNoEndFrame;
    } else {
        params.endFrame = uint32_t(params.endTime / timePerFrameMs);
    }
}

RateChoice chooseOutputRate(int32_t streamRate, int32_t outputMode, int32_t callerForcedRate) {
    RateChoice choice;
    choice.sampleRate = streamRate;
    choice.forcedRate = callerForcedRate;
    if (streamRate > kHalvingThresholdRate && outputMode == kOutputWaveDevice) {
        choice.downSample = 1;
        choice.sampleRate = streamRate / 2;
        choice.forcedRate = choice.sampleRate;
    }
    if (choice.forcedRate >= 0) choice.sampleRate = choice.forcedRate;
    return choice;
}

int32_t previewSeconds(int32_t milliseconds) {
    return (milliseconds / kMsPerSecond) % kSecondsPerMinute +
           (milliseconds / kMsPerMinute) * kSecondsPerMinute;
}

}  // namespace kz8::audio
