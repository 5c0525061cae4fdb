// Where the decoder hands its full PCM blocks: the wave output in the
// product, a recorder in tests.
#pragma once

#include <cstdint>

namespace kz8::audio {

class BlockOutput {
public:
    virtual ~BlockOutput() = default;
    // Bytes taken, or -1 when the output is paused and the block was dropped.
    // Device failures set the engine error and throw.
    virtual int32_t writeBlock(const uint8_t* data, uint32_t length) = 0;
};

}  // namespace kz8::audio
