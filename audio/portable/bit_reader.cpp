#include "audio/portable/bit_reader.h"

namespace kz8::audio {

namespace {
constexpr int kMaxBits = 16;
constexpr int kMaxFastBits = 8;
constexpr int kBitsPerByte = 8;
constexpr uint32_t kThreeByteMask = 0xFFFFFFu;
constexpr uint32_t kTwoByteMask = 0xFFFFu;
constexpr uint32_t kTopBitOfByte = 0x80u;

int clampCount(int count, int most) { return count < 0 ? 0 : (count > most ? most : count); }
}  // namespace

void BitReader::advance(int bits) {
    const int total = bitOffset_ + bits;
    pos_ += size_t(total / kBitsPerByte);
    bitOffset_ = total % kBitsPerByte;
    // Past the end every read gives zeros; keep the position from running on.
    if (pos_ > size_) pos_ = size_;
}

uint32_t BitReader::getBits(int count) {
    count = clampCount(count, kMaxBits);
    if (count == 0) return 0;
    uint32_t window = (byteAt(pos_) << 16) | (byteAt(pos_ + 1) << 8) | byteAt(pos_ + 2);
    window = (window << bitOffset_) & kThreeByteMask;
    advance(count);
    return window >> (3 * kBitsPerByte - count);
}

uint32_t BitReader::getBitsFast(int count) {
    count = clampCount(count, kMaxFastBits);
    if (count == 0) return 0;
    uint32_t window = (byteAt(pos_) << 8) | byteAt(pos_ + 1);
    window = (window << bitOffset_) & kTwoByteMask;
    advance(count);
    return window >> (2 * kBitsPerByte - count);
}

uint32_t BitReader::get1Bit() {
    const uint32_t value = ((byteAt(pos_) << bitOffset_) & kTopBitOfByte) ? 1u : 0u;
    advance(1);
    return value;
}

}  // namespace kz8::audio
