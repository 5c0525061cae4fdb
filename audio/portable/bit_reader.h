// Reads a frame's bits most significant first, the way the layer decoders
// take side information and main data. Bytes past the end of the readable
// range read as zero, so damaged frames can never lead a read astray.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kz8::audio {

class BitReader {
public:
    // The readable bytes are data[0, size); reading starts at position.
    void reset(const uint8_t* data, size_t size, size_t position) {
        data_ = data;
        size_ = size;
        pos_ = position < size ? position : size;
        bitOffset_ = 0;
    }

    uint32_t getBits(int count);      // count 0..16
    uint32_t getBitsFast(int count);  // count 0..8
    uint32_t get1Bit();

    size_t bytePosition() const { return pos_; }  // bitPtr, from data
    int bitOffset() const { return bitOffset_; }  // 0..7

private:
    uint32_t byteAt(size_t index) const { return index < size_ ? data_[index] : 0u; }
    void advance(int bits);

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    int bitOffset_ = 0;
};

}  // namespace kz8::audio
