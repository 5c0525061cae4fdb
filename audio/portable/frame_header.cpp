#include "audio/portable/frame_header.h"

namespace kz8::audio {

const int32_t kSamplingRates[kRateCount] = {44100, 48000, 32000, 22050, 24000,
                                            16000, 11025, 12000, 8000};

namespace {

// Header word layout, bit positions from the least significant bit.
constexpr uint32_t kSyncMask = 0xFFE00000u;
constexpr uint32_t kAllOnesMask = 0xFFFF0000u;
constexpr int kVersionBit = 20;  // clear: MPEG-2.5
constexpr int kLsfBit = 19;      // clear (with bit 20 set): MPEG-2
constexpr int kLayerShift = 17;
constexpr int kProtectionBit = 16;  // clear: a CRC follows
constexpr int kBitrateShift = 12;
constexpr int kRateShift = 10;
constexpr int kPaddingBit = 9;
constexpr int kPrivateBit = 8;
constexpr int kModeShift = 6;
constexpr int kModeExtShift = 4;
constexpr int kCopyrightBit = 3;
constexpr int kOriginalBit = 2;

constexpr int32_t kBadBitrateIndex = 15;
constexpr int32_t kFreeFormatIndex = 0;
constexpr int32_t kReservedRate = 3;
constexpr int32_t kRatesPerVersion = 3;
constexpr int32_t kModeJointStereo = 1;
constexpr int32_t kModeSingleChannel = 3;
constexpr int32_t kLayer1Subbands = 32;

uint32_t field(uint32_t h, int shift, uint32_t mask) { return (h >> shift) & mask; }
int32_t bit(uint32_t h, int position) { return int32_t(field(h, position, 1)); }

// kbit/s by [isLsf][layer - 1][bitrate index]; 0 = free format, 15 unused.
constexpr int32_t kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}};

// Layer II bit allocation tables: the subbands each one codes. Tables 0-3 are
// MPEG-1's, chosen by rate and bitrate per channel; table 4 serves every lsf
// stream.
constexpr int32_t kSubbandLimits[5] = {27, 30, 8, 12, 30};
constexpr int kLsfAllocTable = 4;
constexpr int32_t kLowBitratePerChannel = 48;   // at or below: the short tables
constexpr int32_t kHighBitratePerChannel = 96;  // from here: table 1 (not at 48 kHz)

int layer2AllocTable(const FrameHeader& hd) {
    if (hd.isLsf) return kLsfAllocTable;
    const int32_t perChannel = hd.bitrateKbps() / hd.channels;
    const int32_t rate = hd.samplingRate();
    if (perChannel <= kLowBitratePerChannel) return rate == 32000 ? 3 : 2;
    if (perChannel >= kHighBitratePerChannel && rate != 48000) return 1;
    return 0;
}

// Side information of a Layer III frame, bytes, by [isLsf][single channel].
constexpr int32_t kSideInfoSizes[2][2] = {{32, 17}, {17, 9}};
constexpr int32_t kCrcSize = 2;
constexpr int32_t kHeaderSize = 4;
constexpr int32_t kLayer1SlotBytes = 4;
constexpr int32_t kLayer1SlotFactor = 12000;  // 384 samples / 32 bits, in kbit/s
constexpr int32_t kLayer23Factor = 144000;    // 1152 samples / 8 bits, in kbit/s

// Time per Layer III frame by rate index. The first six are the values this
// engine has always used (1152 or 576 samples × 1000 / rate, rounded to
// single precision); the MPEG-2.5 rates follow the same rule with 576 samples.
constexpr double kLayer3TimePerFrame[kRateCount] = {26.12244987487793,
                                                    24.0,
                                                    36.0,
                                                    26.12244987487793,
                                                    24.0,
                                                    36.0,
                                                    double(float(576.0 * 1000.0 / 11025.0)),
                                                    48.0,
                                                    72.0};

}  // namespace

int32_t FrameHeader::bitrateKbps() const {
    if (layer < 1 || layer > 3 || bitrateIndex < 0 || bitrateIndex > kBadBitrateIndex) return 0;
    return kBitrates[isLsf ? 1 : 0][layer - 1][bitrateIndex];
}

bool isValidHeaderWord(uint32_t h) {
    return (h & kSyncMask) == kSyncMask && (h & kAllOnesMask) != kAllOnesMask &&
           field(h, kLayerShift, 3) != 0 &&
           int32_t(field(h, kBitrateShift, 15)) != kBadBitrateIndex &&
           int32_t(field(h, kRateShift, 3)) != kReservedRate;
}

bool decodeHeader(uint32_t h, bool keepLayerAndRate, FrameHeader& hd) {
    // The version goes with the rate it is kept with: a later header that
    // claims another version is as foreign to the stream as one that claims
    // another rate, and taking its version alone would size the frame with
    // the other version's bitrates at this stream's rate.
    if (!keepLayerAndRate) {
        if (bit(h, kVersionBit)) {
            hd.isLsf = 1 - bit(h, kLsfBit);
            hd.isMpeg25 = 0;
        } else {
            hd.isLsf = 1;
            hd.isMpeg25 = 1;
        }
        hd.layer = 4 - int32_t(field(h, kLayerShift, 3));
        const int32_t rateBits = int32_t(field(h, kRateShift, 3));
        if (rateBits == kReservedRate) return false;
        hd.rateIndex =
            rateBits + (hd.isMpeg25 ? 2 * kRatesPerVersion : hd.isLsf * kRatesPerVersion);
        if (hd.rateIndex >= kRateCount) return false;
    }
    hd.hasCrc = 1 - bit(h, kProtectionBit);
    hd.bitrateIndex = int32_t(field(h, kBitrateShift, 15));
    hd.padding = bit(h, kPaddingBit);
    hd.privateBit = bit(h, kPrivateBit);
    hd.mode = int32_t(field(h, kModeShift, 3));
    hd.modeExtension = int32_t(field(h, kModeExtShift, 3));
    hd.copyrightBit = bit(h, kCopyrightBit);
    hd.originalBit = bit(h, kOriginalBit);
    hd.emphasis = int32_t(field(h, 0, 3));
    hd.channels = hd.mode == kModeSingleChannel ? 1 : 2;

    // Free-format frames have no length in their header; they are skipped.
    if (hd.bitrateIndex == kFreeFormatIndex) return false;

    const int32_t br = hd.bitrateKbps();
    const int32_t fs = hd.samplingRate();
    const bool joint = hd.mode == kModeJointStereo;
    const int32_t jointFromExtension = hd.modeExtension * 4 + 4;
    int32_t bodySize = 0;
    switch (hd.layer) {
        case 1:
            hd.jointBound = joint ? jointFromExtension : kLayer1Subbands;
            bodySize =
                ((br * kLayer1SlotFactor / fs) + hd.padding) * kLayer1SlotBytes - kHeaderSize;
            break;
        case 2:
            hd.subbandLimit = kSubbandLimits[layer2AllocTable(hd)];
            hd.jointBound = joint ? jointFromExtension : hd.subbandLimit;
            bodySize = br * kLayer23Factor / fs + hd.padding - kHeaderSize;
            break;
        case 3:
            hd.sideInfoSize =
                kSideInfoSizes[hd.isLsf][hd.channels == 1 ? 1 : 0] + (hd.hasCrc ? kCrcSize : 0);
            bodySize = br * kLayer23Factor / (fs << hd.isLsf) + hd.padding - kHeaderSize;
            break;
        default: return false;
    }
    // Version, layer and rate always come from one header, so every length
    // is a legal one; the buffers are sized for exactly those, and this keeps
    // them safe should a table ever say otherwise.
    if (bodySize > kMaxBodySize) return false;
    hd.bodySize = bodySize;
    return true;
}

// Samples in one frame: Layer I 384, Layer II 1152, Layer III 1152 at the
// MPEG-1 rates and 576 at the lower ones.
constexpr int32_t kLayer1Samples = 384, kLayer2Samples = 1152;

double timePerFrameMs(int32_t rateIndex, int32_t layer) {
    if (rateIndex < 0 || rateIndex >= kRateCount) return 0.0;
    const double rate = double(kSamplingRates[rateIndex]);
    switch (layer) {
        case 1: return double(float(kLayer1Samples * 1000.0 / rate));
        case 2: return double(float(kLayer2Samples * 1000.0 / rate));
        case 3: return kLayer3TimePerFrame[rateIndex];
        default: return 0.0;
    }
}

}  // namespace kz8::audio
