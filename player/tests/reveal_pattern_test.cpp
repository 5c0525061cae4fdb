// The reveal's geometry: growing dither masks, tiles that cover pictures of
// any size, a visiting order that is a permutation and the same on every
// tree for the same seed, and the card rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <numeric>

#include "player/portable/card_rect.h"
#include "player/portable/msvc_random.h"
#include "player/portable/reveal_pattern.h"

namespace kz8::player {
namespace {

TEST(RevealMask, GrowsBySixPixelsAndKeepsEveryEarlierPixel) {
    RevealMask previous{};
    for (int pass = 0; pass < kRevealPassCount; ++pass) {
        RevealMask mask = revealMask(revealThreshold(pass));
        size_t bits = 0;
        for (int row = 0; row < 8; ++row) {
            bits += std::bitset<8>(mask[row]).count();
            EXPECT_EQ(mask[row] & previous[row], previous[row])
                << "pass " << pass << " row " << row;
        }
        EXPECT_EQ(bits, pass == kRevealPassCount - 1 ? 64u : size_t(6 * (pass + 1)))
            << "pass " << pass;
        previous = mask;
    }
    // The first pass takes the six smallest matrix values: 0..5.
    RevealMask first = revealMask(6);
    EXPECT_EQ(first[0], 0x88) << "values 0 and 2 sit in columns 0 and 4 of row 0";
    EXPECT_EQ(first[4], 0x88) << "values 3 and 1 sit in columns 0 and 4 of row 4";
    EXPECT_EQ(first[2], 0x20) << "value 4 sits in column 2 of row 2; 6 is not below 6";
}

TEST(RevealMask, FollowsTheWindowOriginForNegativePositions) {
    EXPECT_TRUE(revealedInPass(0, 0, 6));
    EXPECT_TRUE(revealedInPass(-8, -16, 6)) << "(-8, -16) is (0, 0) of its tile";
    EXPECT_FALSE(revealedInPass(-1, -1, 18)) << "(7, 7) holds 21: not before L = 24";
    EXPECT_TRUE(revealedInPass(-1, -1, 24));
}

TEST(RevealTiles, CoverPicturesWhoseSizeIsNoMultipleOfEight) {
    struct Case {
        uint32_t width, height, across, down;
    } cases[] = {{580, 380, 73, 48}, {8, 8, 1, 1}, {9, 1, 2, 1}, {1, 17, 1, 3}, {0, 5, 0, 1}};
    for (const Case& c : cases) {
        TileGrid grid = tileGridFor(c.width, c.height);
        EXPECT_EQ(grid.across, c.across) << c.width << "x" << c.height;
        EXPECT_EQ(grid.down, c.down) << c.width << "x" << c.height;
        uint64_t area = 0;
        for (uint32_t k = 0; k < grid.count(); ++k) {
            TileRect t = tileRect(grid, k, c.width, c.height);
            EXPECT_GT(t.width, 0);
            EXPECT_GT(t.height, 0);
            EXPECT_LE(uint32_t(t.x + t.width), c.width);
            EXPECT_LE(uint32_t(t.y + t.height), c.height);
            area += uint64_t(t.width) * t.height;
        }
        EXPECT_EQ(area, uint64_t(c.width) * c.height) << c.width << "x" << c.height;
    }
}

TEST(MsvcRandom, GivesTheMicrosoftSequence) {
    // The first numbers of the Microsoft run-time after srand(1) and srand(0).
    MsvcRandom one(1);
    for (int want : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(one.next(), want);
    MsvcRandom zero(0);
    for (int want : {38, 7719, 21238, 2437, 8855}) EXPECT_EQ(zero.next(), want);
    cardSrand(1);
    EXPECT_EQ(cardRand(), 41) << "the process-wide generator is the same one";
}

TEST(TileOrder, IsAPermutationThatDependsOnlyOnTheSeed) {
    for (uint32_t count : {1u, 2u, 7u, 3504u, 100000u}) {
        MsvcRandom random(12345);
        auto order = tileVisitingOrder(count, [&] { return random.next(); });
        std::vector<uint32_t> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        std::vector<uint32_t> all(count);
        std::iota(all.begin(), all.end(), 0u);
        EXPECT_EQ(sorted, all) << "count " << count;
    }
    // A hand-worked draw: count 3 with rand giving 2, 0, 5. m = 3: r = 2,
    // store 2 in the third empty slot; m = 2: r = 0, store 1 in the first;
    // m = 1: r = 0, store 0 in the remaining one.
    int draws[] = {2, 0, 5}, next = 0;
    EXPECT_EQ(tileVisitingOrder(3, [&] { return draws[next++]; }),
              (std::vector<uint32_t>{1, 0, 2}));
}

TEST(CardRect, CentresTheCardAndTruncatesTowardsZero) {
    struct Case {
        int clientRight, clientBottom, left, top;
    } cases[] = {{1024, 768, 222, 194},
                 {580, 380, 0, 0},
                 {581, 383, 0, 1},
                 {100, 50, -240, -165},
                 {579, 379, 0, 0}};
    for (const Case& c : cases) {
        CardRect r = cardRectInClient(c.clientRight, c.clientBottom);
        EXPECT_EQ(r.left, c.left) << c.clientRight << "x" << c.clientBottom;
        EXPECT_EQ(r.top, c.top) << c.clientRight << "x" << c.clientBottom;
        EXPECT_EQ(r.right - r.left, 580);
        EXPECT_EQ(r.bottom - r.top, 380);
    }
}

}  // namespace
}  // namespace kz8::player
