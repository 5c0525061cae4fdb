// Frames into baseline JPEG (4:2:0), in memory, for the movie's 'jpeg'
// video track. The movie's "normal quality" is libjpeg's quality 50.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "movie/portable/picture_scaler.h"

namespace kz8::movie {

constexpr int kNormalJpegQuality = 50;

// Nothing when the picture is empty or libjpeg fails.
std::optional<std::vector<uint8_t>> encodeJpeg(const BgrPicture& picture,
                                               int quality = kNormalJpegQuality);

}  // namespace kz8::movie
