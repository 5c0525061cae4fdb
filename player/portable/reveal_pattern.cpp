#include "player/portable/reveal_pattern.h"

#include <algorithm>

namespace kz8::player {

const uint8_t kBayerMatrix[kRevealTileSize][kRevealTileSize] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

RevealMask revealMask(int threshold) {
    constexpr uint8_t kColumnZeroBit = 0x80;
    RevealMask mask{};
    for (int j = 0; j < kRevealTileSize; ++j)
        for (int i = 0; i < kRevealTileSize; ++i)
            if (kBayerMatrix[j][i] < threshold) mask[j] |= uint8_t(kColumnZeroBit >> i);
    return mask;
}

static int wrapToTile(int v) {
    int r = v % kRevealTileSize;
    return r < 0 ? r + kRevealTileSize : r;
}

bool revealedInPass(int x, int y, int threshold) {
    return kBayerMatrix[wrapToTile(y)][wrapToTile(x)] < threshold;
}

TileGrid tileGridFor(uint32_t width, uint32_t height) {
    const uint32_t last = kRevealTileSize - 1;
    return TileGrid{(width + last) / kRevealTileSize, (height + last) / kRevealTileSize};
}

TileRect tileRect(const TileGrid& grid, uint32_t k, uint32_t width, uint32_t height) {
    TileRect tile;
    tile.x = int((k % grid.across) * kRevealTileSize);
    tile.y = int((k / grid.across) * kRevealTileSize);
    tile.width = std::min<int>(kRevealTileSize, int(width) - tile.x);
    tile.height = std::min<int>(kRevealTileSize, int(height) - tile.y);
    return tile;
}

namespace {

// Counts of still empty slots, so that the (r + 1)-th empty slot is found in
// logarithmic time: a hostile package may carry a huge picture, and the plain
// scan would take quadratic time.
class EmptySlots {
public:
    explicit EmptySlots(uint32_t count) : tree_(size_t(count) + 1, 0) {
        for (uint32_t i = 1; i <= count; ++i) {
            tree_[i] += 1;
            size_t parent = i + (i & (~i + 1));
            if (parent <= count) tree_[parent] += tree_[i];
        }
    }
    // Takes the (rank + 1)-th empty slot and returns its index.
    uint32_t take(uint32_t rank) {
        size_t position = 0;
        size_t step = highestPowerOfTwo(tree_.size() - 1);
        uint32_t remaining = rank + 1;
        for (; step != 0; step >>= 1) {
            size_t next = position + step;
            if (next < tree_.size() && tree_[next] < remaining) {
                position = next;
                remaining -= tree_[next];
            }
        }
        for (size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] -= 1;
        return uint32_t(position);
    }

private:
    static size_t highestPowerOfTwo(size_t n) {
        size_t p = 1;
        while (p * 2 <= n) p *= 2;
        return n == 0 ? 0 : p;
    }
    std::vector<uint32_t> tree_;
};

}  // namespace

std::vector<uint32_t> tileVisitingOrder(uint32_t count, const std::function<int()>& rand) {
    std::vector<uint32_t> order(count, 0);
    EmptySlots empty(count);
    for (uint32_t m = count; m >= 1; --m) {
        uint32_t r = uint32_t(rand()) % m;
        order[empty.take(r)] = m - 1;
    }
    return order;
}

}  // namespace kz8::player
