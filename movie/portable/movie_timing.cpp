#include "movie/portable/movie_timing.h"

#include <algorithm>
#include <limits>

namespace kz8::movie {

namespace {

constexpr int64_t kMovieUnitsPerSecond = 600;

// a * b / c, truncated, without overflow (saturating); 0 for c <= 0. b is
// always small here, c may be anything a source claims.
int64_t scaled(int64_t a, int64_t b, int64_t c) {
    constexpr int64_t kMost = std::numeric_limits<int64_t>::max();
    if (c <= 0 || a <= 0 || b <= 0) return 0;
    const int64_t whole = a / c;
    const int64_t rest = a % c;
    if (whole > kMost / b) return kMost;
    // rest < c, so this part is below b.
    const int64_t part = rest <= kMost / b
                             ? rest * b / c
                             : static_cast<int64_t>(static_cast<long double>(rest) * b / c);
    return whole * b > kMost - part ? kMost : whole * b + part;
}

uint32_t atLeastOneUnit(int64_t units) {
    return static_cast<uint32_t>(
        std::clamp<int64_t>(units, 1, std::numeric_limits<int32_t>::max()));
}

}  // namespace

MovieTiming movieTiming(int64_t duration, int64_t timePerFrame) {
    MovieTiming timing;
    if (timePerFrame <= 0) {
        timing.frameDuration =
            atLeastOneUnit(scaled(duration, kMovieUnitsPerSecond, kUnitsPerSecond));
        timing.frameLimit = 0;
        return timing;
    }
    const int64_t fps = kUnitsPerSecond / timePerFrame;
    timing.frameDuration =
        atLeastOneUnit(fps > 0 ? kMovieUnitsPerSecond / fps
                               : scaled(timePerFrame, kMovieUnitsPerSecond, kUnitsPerSecond));
    timing.frameLimit = std::max<int64_t>(duration, 0) / timePerFrame;
    return timing;
}

uint64_t soundCapacity(int64_t duration) {
    return static_cast<uint64_t>(scaled(duration / kUnitsPerMillisecond, 22050, 1000));
}

int videoProgress(int64_t consumed, int64_t duration) {
    if (duration <= 0) return 0;
    return static_cast<int>(std::min<int64_t>(scaled(consumed, 90, duration), 90));
}

int soundProgress(int start, int64_t consumed, int64_t duration) {
    const int64_t seconds = duration / kUnitsPerSecond;
    if (seconds <= 0) return start;
    const int64_t gained = scaled(consumed / kUnitsPerSecond, 10, seconds);
    return static_cast<int>(
        std::clamp<int64_t>(start + std::min<int64_t>(gained, 100), start, 100));
}

}  // namespace kz8::movie
