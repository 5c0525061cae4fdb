#include "player/portable/msvc_random.h"

namespace kz8::player {
namespace {

constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr unsigned kOutputShift = 16;

MsvcRandom& processRandom() {
    static MsvcRandom random;
    return random;
}

}  // namespace

int MsvcRandom::next() {
    state_ = state_ * kMultiplier + kIncrement;  // unsigned: wraps by design
    return int((state_ >> kOutputShift) & kRandomMax);
}

void cardSrand(uint32_t seed) { processRandom().seed(seed); }
int cardRand() { return processRandom().next(); }

}  // namespace kz8::player
