// The PCM format of one playback, as the output opens it.
#pragma once

#include <cstdint>

namespace kz8::audio {

// The wave device is never opened above CD rate; faster streams are halved
// by the decoder before they get here.
constexpr int32_t kMaxDeviceRate = 44100;

struct PcmFormat {
    int32_t sampleRate = 44100;
    int32_t channels = 2;
    int32_t bitsPerSample = 16;

    int32_t blockAlign() const { return channels * bitsPerSample / 8; }
    int32_t bytesPerSecond() const { return sampleRate * blockAlign(); }
    // The format the wave device gets: the same, clamped to kMaxDeviceRate.
    PcmFormat forWaveDevice() const {
        PcmFormat f = *this;
        if (f.sampleRate > kMaxDeviceRate) f.sampleRate = kMaxDeviceRate;
        return f;
    }
};

}  // namespace kz8::audio
