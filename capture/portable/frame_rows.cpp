#include "capture/portable/frame_rows.h"

#include <cstring>
#include <limits>

namespace kz8::capture {

namespace {
constexpr uint64_t kLargestFrame = std::numeric_limits<int32_t>::max();
constexpr uint64_t strideOf(uint64_t width) { return (width * 3 + 3) & ~uint64_t{3}; }
}  // namespace

size_t FrameShape::packedBytes() const {
    return static_cast<size_t>(width) * 3 * static_cast<size_t>(height);
}

size_t FrameShape::sampleStride() const { return static_cast<size_t>(strideOf(width)); }

size_t FrameShape::sampleBytes() const { return sampleStride() * static_cast<size_t>(height); }

std::optional<FrameShape> rgb24FrameShape(int64_t width, int64_t signedHeight) {
    if (width <= 0 || signedHeight == 0 || signedHeight == std::numeric_limits<int64_t>::min()) {
        return std::nullopt;
    }
    const uint64_t rows = static_cast<uint64_t>(signedHeight < 0 ? -signedHeight : signedHeight);
    const uint64_t columns = static_cast<uint64_t>(width);
    if (columns > kLargestFrame || rows > kLargestFrame ||
        strideOf(columns) > kLargestFrame / rows) {
        return std::nullopt;
    }
    return FrameShape{static_cast<int32_t>(width), static_cast<int32_t>(rows), signedHeight < 0};
}

bool packSample(const FrameShape& shape, const uint8_t* sample, size_t sampleBytes,
                uint8_t* packed) {
    if (sampleBytes < shape.sampleBytes()) return false;
    const size_t rowBytes = static_cast<size_t>(shape.width) * 3;
    const size_t stride = shape.sampleStride();
    const auto rows = static_cast<size_t>(shape.height);
    for (size_t row = 0; row < rows; ++row) {
        // Packed row 0 is the bottom row of the picture.
        const size_t from = shape.topDown ? rows - 1 - row : row;
        std::memcpy(packed + row * rowBytes, sample + from * stride, rowBytes);
    }
    return true;
}

}  // namespace kz8::capture
