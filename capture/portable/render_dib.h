// The picture GetRenderDib hands out: a BITMAPINFOHEADER of 40 bytes with
// no colour table, then bottom-up 24-bit rows padded to 4 bytes. Its size is
// worked out in 64 bits, so that a frame too large for the block is refused
// rather than overrun.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kz8::capture {

struct RenderDibLayout {
    int32_t width = 0;
    int32_t height = 0;
    size_t stride = 0;     // width * 3 rounded up to a multiple of 4
    size_t imageSize = 0;  // stride * height
    size_t totalSize = 0;  // 40 + imageSize
};

// Nothing for a zero or negative width or height, or a block of more than
// 2^31 - 1 bytes.
std::optional<RenderDibLayout> renderDibLayout(int64_t width, int64_t height);

// Writes the header and the packed rows (width * 3 bytes each, bottom row
// first) into a zero-filled block of layout.totalSize bytes.
void writeRenderDib(const RenderDibLayout& layout, const uint8_t* packedRows, uint8_t* block);

}  // namespace kz8::capture
