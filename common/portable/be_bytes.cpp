#include "common/portable/be_bytes.h"

#include <cstring>

namespace kz8 {
inline namespace common {

void BigEndianWriter::putU16(uint16_t v) {
    uint8_t bytes[2];
    storeU16BE(bytes, v);
    putBytes(bytes, sizeof bytes);
}

void BigEndianWriter::putU32(uint32_t v) {
    uint8_t bytes[4];
    storeU32BE(bytes, v);
    putBytes(bytes, sizeof bytes);
}

void BigEndianWriter::putU64(uint64_t v) {
    putU32(uint32_t(v >> 32));
    putU32(uint32_t(v));
}

void BigEndianWriter::putBytes(const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), bytes, bytes + count);
}

bool BigEndianWriter::patchU32(size_t at, uint32_t v) {
    if (at > out_.size() || out_.size() - at < 4) return false;
    storeU32BE(out_.data() + at, v);
    return true;
}

}  // namespace common
}  // namespace kz8
