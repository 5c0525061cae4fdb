// The geometry of the reveal: 8 x 8 tiles visited in a random order, and the
// eleven growing ordered-dither masks that decide which pixels of a tile take
// the new picture in each pass. Drawing them is the Win32 side's job.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kz8::player {

constexpr int kRevealTileSize = 8;
constexpr int kRevealThresholdStep = 6;
constexpr int kRevealPassCount = 11;  // thresholds 6, 12, ..., 66

// Standard 8 x 8 Bayer index matrix, [row][column].
extern const uint8_t kBayerMatrix[kRevealTileSize][kRevealTileSize];

// Threshold L of pass 0 .. kRevealPassCount - 1.
inline int revealThreshold(int pass) { return (pass + 1) * kRevealThresholdStep; }

// Row j's byte has bit (7 - i) set when the matrix value at (j, i) is below L:
// column 0 is the most significant bit, as a monochrome bitmap stores it.
using RevealMask = std::array<uint8_t, kRevealTileSize>;
RevealMask revealMask(int threshold);

// Whether the pixel at client position (x, y) shows the new picture after the
// pass with this threshold: the mask is aligned to the window, not the card.
bool revealedInPass(int x, int y, int threshold);

struct TileGrid {
    uint32_t across = 0;
    uint32_t down = 0;
    uint32_t count() const { return across * down; }
};
TileGrid tileGridFor(uint32_t width, uint32_t height);

struct TileRect {
    int x = 0, y = 0, width = 0, height = 0;  // relative to the picture
};
// Tile k of the grid, cut to the picture at the right and bottom edges.
TileRect tileRect(const TileGrid& grid, uint32_t k, uint32_t width, uint32_t height);

// The visiting order: a permutation of 0 .. count - 1 built by the m-counter
// draw (r = rand() mod m, m decreases, m goes into the (r + 1)-th empty slot).
std::vector<uint32_t> tileVisitingOrder(uint32_t count, const std::function<int()>& rand);

}  // namespace kz8::player
