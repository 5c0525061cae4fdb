// The pixel rows of a packed DIB that a caller owns, read as red-green-blue.
// Callers are not only our own readers, so this takes what Windows programs
// hand over: 1-, 4- and 8-bit palettised, 24- and 32-bit pixels, rows stored
// bottom-up or top-down (a negative height), and a biClrUsed of 0 meaning a
// full colour table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/portable/dib.h"

namespace kz8::outside {

class PackedDibRows {
public:
    // Nothing unless the bytes hold a whole uncompressed DIB of those kinds
    // with a 40-byte header.
    static std::optional<PackedDibRows> over(const uint8_t* bytes, size_t size);

    uint32_t width() const { return layout_.width; }
    uint32_t height() const { return layout_.height; }
    // Row y (below height()) counted from the top, as 3 * width() bytes at
    // `rgb`. An index
    // beyond the colour table gives black.
    void copyRgbRow(uint32_t y, uint8_t* rgb) const;

private:
    PackedDibRows(const uint8_t* bytes, const DibLayout& layout, bool topDown)
        : bytes_(bytes), layout_(layout), topDown_(topDown) {}
    const uint8_t* storedRow(uint32_t y) const;
    RgbQuad paletteColour(uint32_t index) const;

    const uint8_t* bytes_;
    DibLayout layout_;
    bool topDown_;
};

}  // namespace kz8::outside
