// A caller's receiver of PCM: the fourth output mode, and the optional
// listener that sees every block the other modes play.
#pragma once

#include <cstdint>

namespace kz8::audio {

enum PcmSinkControl : int32_t { kSinkClosing = 0, kSinkOpening = 1 };

struct PcmSink {
    // (data, bits per sample, channel count, sample rate, byte count, context)
    using DataFunction = uint8_t (*)(const void* data, int32_t bitsPerSample, int32_t channels,
                                     int32_t sampleRate, uint32_t byteCount, void* context);
    // (code: kSinkOpening or kSinkClosing, context)
    using ControlFunction = uint8_t (*)(int32_t code, void* context);

    DataFunction data = nullptr;
    ControlFunction control = nullptr;
    void* context = nullptr;

    bool complete() const { return data != nullptr && control != nullptr; }
    // Each call reports whether the sink took it; a missing function did not.
    bool sendControl(int32_t code) const { return control != nullptr && control(code, context) != 0; }
};

}  // namespace kz8::audio
