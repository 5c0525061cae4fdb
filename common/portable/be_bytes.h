// Big-endian writing, for formats stored most significant byte first (the
// QuickTime movie's atoms). Sizes that are only known once the body is
// written are patched in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kz8 {
inline namespace common {

inline void storeU16BE(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}
inline void storeU32BE(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
inline uint32_t loadU32BE(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

class BigEndianWriter {
public:
    explicit BigEndianWriter(std::vector<uint8_t>& out) : out_(out) {}

    size_t position() const { return out_.size(); }
    void putU8(uint8_t v) { out_.push_back(v); }
    void putU16(uint16_t v);
    void putU32(uint32_t v);
    void putU64(uint64_t v);
    void putBytes(const void* data, size_t count);
    // Four characters of a type code ("moov"), as stored.
    void putFourCc(const char (&code)[5]) { putBytes(code, 4); }
    // Overwrites 4 bytes written earlier; false when they lie beyond the end.
    bool patchU32(size_t at, uint32_t v);

private:
    std::vector<uint8_t>& out_;
};

}  // namespace common
}  // namespace kz8
