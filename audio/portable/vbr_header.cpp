#include "audio/portable/vbr_header.h"

#include <cstring>

namespace kz8::audio {

namespace {

constexpr uint32_t kXingHasFrames = 0x1;
constexpr int32_t kVbriOffset = 32;        // from the end of the frame header
constexpr int32_t kVbriFramesOffset = 14;  // after "VBRI", version, delay, quality, bytes
constexpr int32_t kTagBytes = 4;
constexpr int32_t kWordBytes = 4;

uint32_t bigEndianAt(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool tagAt(const uint8_t* body, int32_t bodySize, int32_t offset, const char* tag) {
    return offset >= 0 && offset + kTagBytes <= bodySize &&
           std::memcmp(body + offset, tag, kTagBytes) == 0;
}

uint32_t xingCount(const uint8_t* body, int32_t bodySize, int32_t offset) {
    if (!tagAt(body, bodySize, offset, "Xing") && !tagAt(body, bodySize, offset, "Info")) return 0;
    const int32_t flagsAt = offset + kTagBytes;
    const int32_t framesAt = flagsAt + kWordBytes;
    if (framesAt + kWordBytes > bodySize) return 0;
    if ((bigEndianAt(body + flagsAt) & kXingHasFrames) == 0) return 0;
    return bigEndianAt(body + framesAt);
}

uint32_t vbriCount(const uint8_t* body, int32_t bodySize) {
    if (!tagAt(body, bodySize, kVbriOffset, "VBRI")) return 0;
    const int32_t framesAt = kVbriOffset + kVbriFramesOffset;
    if (framesAt + kWordBytes > bodySize) return 0;
    return bigEndianAt(body + framesAt);
}

}  // namespace

uint32_t taggedFrameCount(const FrameHeader& header, const uint8_t* body, int32_t bodySize) {
    // Only Layer III streams carry these headers; elsewhere the same bytes
    // are sound.
    if (header.layer != 3 || !body || bodySize <= 0) return 0;
    // The Xing header follows the side information (which here includes the
    // CRC); the VBRI header has a fixed place.
    if (const uint32_t xing = xingCount(body, bodySize, header.sideInfoSize)) return xing;
    return vbriCount(body, bodySize);
}

}  // namespace kz8::audio
