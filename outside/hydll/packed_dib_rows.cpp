#include "outside/hydll/packed_dib_rows.h"

#include <limits>

namespace kz8::outside {
namespace {

constexpr unsigned kMaxPaletteBits = 8;
constexpr unsigned kBitsPerByte = 8;

bool isReadableDepth(unsigned bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
        case 32: return true;
        default: return false;
    }
}

// The colour index of pixel x in a palettised row: the leftmost pixel sits in
// the high bits of its byte.
uint32_t paletteIndex(const uint8_t* row, uint32_t x, unsigned bitCount) {
    const size_t bit = size_t(x) * bitCount;
    const unsigned shift = kBitsPerByte - bitCount - unsigned(bit % kBitsPerByte);
    return (row[bit / kBitsPerByte] >> shift) & ((1u << bitCount) - 1);
}

}  // namespace

std::optional<PackedDibRows> PackedDibRows::over(const uint8_t* bytes, size_t size) {
    if (!bytes || size < kDibHeaderSize) return std::nullopt;
    DibHeader header = DibHeader::read(bytes);
    if (!isReadableDepth(header.bitCount)) return std::nullopt;
    const bool topDown = header.height < 0;
    if (topDown) {
        if (header.height == std::numeric_limits<int32_t>::min()) return std::nullopt;
        header.height = -header.height;
    }
    if (header.bitCount <= kMaxPaletteBits && header.clrUsed == 0)
        header.clrUsed = 1u << header.bitCount;
    const auto layout = DibLayout::describe(header);
    if (!layout || layout->totalSize > size) return std::nullopt;
    return PackedDibRows(bytes, *layout, topDown);
}

const uint8_t* PackedDibRows::storedRow(uint32_t y) const {
    const uint32_t stored = topDown_ ? y : layout_.height - 1 - y;
    return bytes_ + layout_.pixelOffset + size_t(stored) * layout_.stride;
}

RgbQuad PackedDibRows::paletteColour(uint32_t index) const {
    if (index >= layout_.colourCount) return RgbQuad{};
    const uint8_t* entry = bytes_ + kDibHeaderSize + size_t(index) * kDibColourEntrySize;
    return RgbQuad{entry[0], entry[1], entry[2], entry[3]};
}

void PackedDibRows::copyRgbRow(uint32_t y, uint8_t* rgb) const {
    const uint8_t* row = storedRow(y);
    const unsigned bitCount = layout_.bitCount;
    for (uint32_t x = 0; x < layout_.width; ++x, rgb += 3) {
        if (bitCount > kMaxPaletteBits) {
            const uint8_t* pixel = row + size_t(x) * (bitCount / kBitsPerByte);
            rgb[0] = pixel[2];
            rgb[1] = pixel[1];
            rgb[2] = pixel[0];
        } else {
            const RgbQuad colour = paletteColour(paletteIndex(row, x, bitCount));
            rgb[0] = colour.red;
            rgb[1] = colour.green;
            rgb[2] = colour.blue;
        }
    }
}

}  // namespace kz8::outside
