// Little-endian reading and writing of the fixed-width fields that our stored
// formats use. Readers never touch a byte they have not checked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kz8 {
inline namespace common {

inline uint16_t loadU16LE(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t loadU32LE(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline int32_t loadI32LE(const uint8_t* p) { return int32_t(loadU32LE(p)); }

inline void storeU16LE(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void storeU32LE(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void storeI32LE(uint8_t* p, int32_t v) { storeU32LE(p, uint32_t(v)); }

// A bounds-checked cursor over bytes that came from outside. Every read says
// whether it succeeded; a failed read leaves the position where it was.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t size() const { return size_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    bool has(size_t count) const { return count <= remaining(); }

    bool seek(size_t position) {
        if (position > size_) return false;
        pos_ = position;
        return true;
    }
    bool skip(size_t count) {
        if (!has(count)) return false;
        pos_ += count;
        return true;
    }
    bool readU8(uint8_t& out) {
        if (!has(1)) return false;
        out = data_[pos_++];
        return true;
    }
    bool readU16(uint16_t& out) {
        if (!has(2)) return false;
        out = loadU16LE(data_ + pos_);
        pos_ += 2;
        return true;
    }
    bool readU32(uint32_t& out) {
        if (!has(4)) return false;
        out = loadU32LE(data_ + pos_);
        pos_ += 4;
        return true;
    }
    bool readI32(int32_t& out) {
        uint32_t raw = 0;
        if (!readU32(raw)) return false;
        out = int32_t(raw);
        return true;
    }
    bool readBytes(void* out, size_t count);
    // A fixed-size text field: bytes up to the first NUL (or the whole field).
    bool readFixedText(size_t fieldSize, std::string& out);

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Appends little-endian fields to a growing buffer.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void putU8(uint8_t v) { out_.push_back(v); }
    void putU16(uint16_t v);
    void putU32(uint32_t v);
    void putI32(int32_t v) { putU32(uint32_t(v)); }
    void putBytes(const void* data, size_t count);
    // Writes text into a field of fieldSize bytes, NUL-padded; text longer than
    // the field is cut so that at least one NUL remains.
    void putFixedText(const std::string& text, size_t fieldSize);

private:
    std::vector<uint8_t>& out_;
};

}  // namespace common
}  // namespace kz8
