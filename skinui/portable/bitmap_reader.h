// Windows bitmap files (.bmp) into the suite's DIB: the 12-, 40- and
// 108-byte headers; 1, 4, 8, 16, 24 and 32 bits; RLE8, RLE4 and bit fields.
// 16- and 32-bit pictures become 24-bit, and every result is uncompressed
// and bottom-up. Every byte read is checked first: the input is outside
// input (skins from anyone).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/portable/dib.h"

namespace kz8::skinui {

// The whole file; nothing when it is not a bitmap this reader takes.
std::optional<Dib> readBitmapFile(const uint8_t* bytes, size_t size);

}  // namespace kz8::skinui
