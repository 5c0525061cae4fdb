// Reads a fuzzer's input as a script of small numbers; past its end every
// read gives 0, so any input is a whole script.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kz8::fuzzing {

class FuzzScript {
public:
    FuzzScript(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    template <typename T>
    T next() {
        T value{};
        const size_t take = pos_ < size_ ? std::min(sizeof value, size_ - pos_) : 0;
        if (take > 0) std::memcpy(&value, data_ + pos_, take);
        pos_ += take;
        return value;
    }
    // The bytes not read yet.
    const uint8_t* rest() const { return data_ + std::min(pos_, size_); }
    size_t restSize() const { return pos_ < size_ ? size_ - pos_ : 0; }
    bool done() const { return pos_ >= size_; }
    void skip(size_t count) { pos_ += std::min(count, restSize()); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace kz8::fuzzing
