// Everything an output needs to know to open, taken from the player's
// parameters when playback starts.
#pragma once

#include <cstdint>
#include <string>

#include "audio/portable/pcm_format.h"
#include "audio/portable/pcm_sink.h"

namespace kz8::audio {

enum OutputMode : int32_t {
    kOutputWaveDevice = 0,
    kOutputWaveFile = 1,
    kOutputDirectSound = 2,
    kOutputSink = 3,
};

struct OutputSettings {
    int32_t mode = kOutputWaveDevice;
    int32_t deviceId = 0;  // the first device, not the wave mapper
    int32_t bufferCount = 8;
    int32_t blockSize = 16384;
    bool notifySink = false;
    std::string captureFile;  // the WAVE file of kOutputWaveFile
    PcmFormat format;
    PcmSink sink;
    void* ownerWindow = nullptr;     // DirectSound's cooperative window
    double timePerFrameMs = 26.122;  // paces the DirectSound feeder
    // A manual-reset event (a HANDLE) set when the player is asked to stop:
    // waits for the device end on it at once. Null: nothing to wake them.
    void* stopSignal = nullptr;
};

}  // namespace kz8::audio
