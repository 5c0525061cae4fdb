#include "capture/portable/render_dib.h"

#include <cstring>
#include <limits>

#include "common/portable/dib.h"

namespace kz8::capture {

std::optional<RenderDibLayout> renderDibLayout(int64_t width, int64_t height) {
    constexpr uint64_t kLargestBlock = std::numeric_limits<int32_t>::max();
    if (width <= 0 || height <= 0) return std::nullopt;
    const uint64_t columns = static_cast<uint64_t>(width);
    const uint64_t rows = static_cast<uint64_t>(height);
    if (columns > kLargestBlock || rows > kLargestBlock) return std::nullopt;
    const uint64_t stride = (columns * 3 + 3) & ~uint64_t{3};
    if (stride > (kLargestBlock - kDibHeaderSize) / rows) return std::nullopt;
    RenderDibLayout layout;
    layout.width = static_cast<int32_t>(width);
    layout.height = static_cast<int32_t>(height);
    layout.stride = static_cast<size_t>(stride);
    layout.imageSize = static_cast<size_t>(stride * rows);
    layout.totalSize = kDibHeaderSize + layout.imageSize;
    return layout;
}

void writeRenderDib(const RenderDibLayout& layout, const uint8_t* packedRows, uint8_t* block) {
    DibHeader header;
    header.width = layout.width;
    header.height = layout.height;
    header.bitCount = 24;
    header.sizeImage = static_cast<uint32_t>(layout.imageSize);
    header.xPelsPerMeter = kDibPelsPerMeter;
    header.yPelsPerMeter = kDibPelsPerMeter;
    header.write(block);
    const size_t rowBytes = static_cast<size_t>(layout.width) * 3;
    for (size_t row = 0; row < static_cast<size_t>(layout.height); ++row) {
        std::memcpy(block + kDibHeaderSize + row * layout.stride, packedRows + row * rowBytes,
                    rowBytes);
    }
}

}  // namespace kz8::capture
