// The DibFilter's frame: 24-bit pixel rows of width x 3 bytes with nothing
// between them, bottom row first, as a bottom-up bitmap orders them. Samples
// arrive as DIB rows padded to 4 bytes, bottom-up for a positive height and
// top-down for a negative one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kz8::capture {

struct FrameShape {
    int32_t width = 0;
    int32_t height = 0;  // rows; always positive
    bool topDown = false;

    size_t packedBytes() const;  // width * 3 * height
    size_t sampleStride() const;
    size_t sampleBytes() const;
};

// The shape of an RGB24 picture of the given DIB width and signed height;
// nothing when either is zero, the width negative, or the frame would not
// fit in 32 bits.
std::optional<FrameShape> rgb24FrameShape(int64_t width, int64_t signedHeight);

// Packs one sample of `shape` into `packed` (packedBytes() long); false
// when the sample is too short to hold the picture.
bool packSample(const FrameShape& shape, const uint8_t* sample, size_t sampleBytes,
                uint8_t* packed);

}  // namespace kz8::capture
