#include "common/portable/le_bytes.h"

#include <cstring>

namespace kz8 {
inline namespace common {

bool ByteReader::readBytes(void* out, size_t count) {
    if (!has(count)) return false;
    if (count != 0) std::memcpy(out, data_ + pos_, count);
    pos_ += count;
    return true;
}

bool ByteReader::readFixedText(size_t fieldSize, std::string& out) {
    if (!has(fieldSize)) return false;
    const uint8_t* field = data_ + pos_;
    size_t length = 0;
    while (length < fieldSize && field[length] != 0) ++length;
    out.assign(reinterpret_cast<const char*>(field), length);
    pos_ += fieldSize;
    return true;
}

void ByteWriter::putU16(uint16_t v) {
    uint8_t bytes[2];
    storeU16LE(bytes, v);
    out_.insert(out_.end(), bytes, bytes + 2);
}

void ByteWriter::putU32(uint32_t v) {
    uint8_t bytes[4];
    storeU32LE(bytes, v);
    out_.insert(out_.end(), bytes, bytes + 4);
}

void ByteWriter::putBytes(const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), bytes, bytes + count);
}

void ByteWriter::putFixedText(const std::string& text, size_t fieldSize) {
    if (fieldSize == 0) return;
    size_t length = text.size() < fieldSize ? text.size() : fieldSize - 1;
    putBytes(text.data(), length);
    out_.insert(out_.end(), fieldSize - length, uint8_t(0));
}

}  // namespace common
}  // namespace kz8
