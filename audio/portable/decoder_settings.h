// How the decoder turns frames into PCM for one playback.
#pragma once

#include <cstdint>
#include <string>

namespace kz8::audio {

// Full scale: a full-scale decoded sample reaches +-32768 before clipping.
constexpr int32_t kFullOutputScale = 32768;
constexpr int kEqualizerBands = 32;

enum ChannelSelect : int32_t {
    kBothChannels = -1,
    kLeftChannel = 0,
    kRightChannel = 1,
    kMixChannels = 3,
};

struct DecoderSettings {
    int32_t downSample = 0;  // 0 1:1, 1 2:1, 2 4:1
    int32_t outputScale = kFullOutputScale;
    bool eightBit = false;   // unsigned 8-bit samples instead of signed 16-bit
    bool forceMono = false;  // one channel per sample frame, chosen by channelSelect
    int32_t channelSelect = kBothChannels;
    bool equalizerOn = true;
    int32_t blockSize = 16384;  // a block is handed over once it holds this much
    // libmpg123's decoder core by name; empty picks the fastest. Cores differ
    // in the last bits, so exact comparisons name one.
    std::string core;
};

}  // namespace kz8::audio
