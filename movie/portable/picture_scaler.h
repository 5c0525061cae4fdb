// Pictures stretched to the size a movie frame or a card asks for.
#pragma once

#include <cstdint>
#include <vector>

namespace kz8::movie {

// Top-down rows, packed, three bytes a pixel: blue, green, red.
struct BgrPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rows;
};

// Fills the whole of width x height; each axis on its own averages the
// covered area when it shrinks and interpolates bilinearly when it grows.
// A source without pixels, or with too few bytes for them, gives black.
// A width or height of 0 or less gives an empty picture.
BgrPicture scalePicture(const BgrPicture& from, int width, int height);

}  // namespace kz8::movie
