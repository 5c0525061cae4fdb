// The C library's pseudo-random generator as the Microsoft run-time computes
// it. The player seeds it from the clock at start-up and the reveal's tile
// order continues from that seeding, so every tree must produce the same
// sequence for the same seed, whatever C library it links.
#pragma once

#include <cstdint>

namespace kz8::player {

constexpr int kRandomMax = 0x7FFF;

class MsvcRandom {
public:
    explicit MsvcRandom(uint32_t seed = 1) : state_(seed) {}
    void seed(uint32_t seed) { state_ = seed; }
    // 0 to kRandomMax.
    int next();

private:
    uint32_t state_;
};

// The process-wide generator that `srand` and `rand` stand for in the player.
void cardSrand(uint32_t seed);
int cardRand();

}  // namespace kz8::player
