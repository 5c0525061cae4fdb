// Video frames as the platform's media layer hands them out, in a surface
// of its own format, turned into the pictures the rest of the suite uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "movie/portable/picture_scaler.h"

namespace kz8::movie {

struct SurfaceFormat {
    enum class Kind { rgb, palette8, yuy2, uyvy } kind = Kind::rgb;
    int bitsPerPixel = 0;  // 8, 16, 24 or 32 for rgb; 8 for palette8; 16 for yuy2/uyvy
    uint32_t redMask = 0, greenMask = 0, blueMask = 0;  // rgb only
    std::vector<uint32_t> palette;  // palette8: 0x00RRGGBB entries, may be empty or short
};

// Rows top-down, each pitch bytes after the last, within size bytes at
// bits. An rgb channel is widened to 8 bits by repeating its bits; a
// palette index with no entry is shown as that grey. YUY2 and UYVY rows
// hold whole pairs of pixels, so an odd width still needs the last pair's
// four bytes. nullopt for a format it cannot read or too few bytes.
std::optional<BgrPicture> surfaceToPicture(const SurfaceFormat& format, int width, int height,
                                           const uint8_t* bits, size_t pitch, size_t size);

}  // namespace kz8::movie
