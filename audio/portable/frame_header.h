// MPEG audio frame headers (Layers I-III; MPEG-1, MPEG-2 and MPEG-2.5): the
// validity check of a 32-bit header word, the decoded fields, and the
// per-rate time of one frame.
#pragma once

#include <cstdint>

namespace kz8::audio {

constexpr int kRateCount = 9;
// Sampling rates by rate index: MPEG-1, then MPEG-2, then MPEG-2.5.
extern const int32_t kSamplingRates[kRateCount];

// The frame buffers hold bodies up to the largest legal one: a Layer II lsf
// frame at 160 kbit/s, 8 kHz, padded (2880 + 1 - 4 bytes).
constexpr int32_t kMaxBodySize = 2877;

struct FrameHeader {
    int32_t isLsf = 0;  // 0 MPEG-1, 1 MPEG-2 and MPEG-2.5
    int32_t isMpeg25 = 0;
    int32_t layer = 0;      // 1, 2 or 3
    int32_t rateIndex = 0;  // into kSamplingRates
    int32_t hasCrc = 0;     // a 16-bit CRC follows the header
    int32_t bitrateIndex = 0;
    int32_t padding = 0;
    int32_t privateBit = 0;
    int32_t mode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int32_t modeExtension = 0;
    int32_t copyrightBit = 0;
    int32_t originalBit = 0;
    int32_t emphasis = 0;
    int32_t channels = 0;
    int32_t jointBound = 0;      // Layers I and II
    int32_t subbandLimit = 0;    // Layer II
    int32_t sideInfoSize = 0;    // Layer III, bytes
    int32_t bodySize = 0;        // frame length without the 4-byte header
    int32_t channelSelect = -1;  // -1 both, 0 left, 1 right, 3 mix (set by the player)
    int32_t downSample = 0;      // 0 full rate, 1 half, 2 quarter (set by the player)
    int32_t headerChanged = 0;   // the last frame's header differed from its predecessor's

    int32_t samplingRate() const { return kSamplingRates[rateIndex]; }
    int32_t bitrateKbps() const;
};

// Whether h may be a frame header: sync, not sixteen one bits (so that runs of
// 0xFF are never a header), a layer, a usable bitrate index and rate.
bool isValidHeaderWord(uint32_t h);

// Decodes h into header. keepLayerAndRate: the MPEG version, layer and
// sampling rate of an earlier header stay (they are taken as constant within
// a stream). False for
// a header that cannot be decoded: free format, a reserved rate, or a body
// longer than kMaxBodySize. Fields are filled as far as decoding got.
bool decodeHeader(uint32_t h, bool keepLayerAndRate, FrameHeader& header);

// Milliseconds of one frame at the rate index: samples per frame (1152 for
// MPEG-1, 576 for lsf) × 1000 / rate, whatever the layer.
double timePerFrameMs(int32_t rateIndex, int32_t layer);

}  // namespace kz8::audio
