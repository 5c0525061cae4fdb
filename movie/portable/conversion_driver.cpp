#include "movie/portable/conversion_driver.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace kz8::movie {

namespace {
// When no sound block came, the time of 2500 bytes of sound passes anyway,
// so that the loop still ends.
constexpr int64_t kSilentBlockSpan = 1133786;
}  // namespace

ConversionDriver::ConversionDriver(MovieSource& source, ProgressFunction progress)
    : source_(source),
      progress_(std::move(progress)),
      timing_(movieTiming(source.duration(), source.timePerFrame())) {}

ConversionResult ConversionDriver::prepare() {
    if (!source_.hasSound()) return ConversionResult::done;
    if (source_.duration() < kUnitsPerMillisecond) return ConversionResult::soundTooShort;
    soundCapacity_ = soundCapacity(source_.duration());
    if (soundCapacity_ > kLargestSound) return ConversionResult::memoryLow;
    try {
        sound_.reserve(static_cast<size_t>(soundCapacity_));
    } catch (const std::bad_alloc&) {
        return ConversionResult::memoryLow;
    } catch (const std::length_error&) {
        return ConversionResult::memoryLow;
    }
    return ConversionResult::done;
}

ConversionResult ConversionDriver::run(MovieSink& sink) {
    videoLoop(sink);
    soundLoop();
    return sink.finish(sound_) ? ConversionResult::done : ConversionResult::finishFailed;
}

// Progress only ever moves forward, whatever the source claims.
void ConversionDriver::report(int percent) {
    lastProgress_ = std::max(lastProgress_, percent);
    if (progress_) progress_(static_cast<float>(lastProgress_));
}

// At most N + 1 frames; a frame that cannot be read or added ends the
// video track where it is.
void ConversionDriver::videoLoop(MovieSink& sink) {
    int64_t consumed = 0;
    BgrPicture frame;
    while (int64_t(framesWritten_) <= timing_.frameLimit &&
           source_.nextFrame(frame) == FrameRead::frame &&
           sink.addFrame(frame, timing_.frameDuration)) {
        ++framesWritten_;
        consumed += source_.timePerFrame();
        report(videoProgress(consumed, source_.duration()));
    }
    report(90);
}

// Without sound there is nothing to wait for: a source may claim hours.
void ConversionDriver::soundLoop() {
    const int start = lastProgress_;
    const int64_t duration = source_.duration();
    int64_t consumed = 0;
    std::vector<uint8_t> block;
    while (source_.hasSound() && consumed <= duration) {
        int64_t span = 0;
        if (source_.nextSoundBlock(block, span)) {
            const size_t room = static_cast<size_t>(soundCapacity_) - sound_.size();
            sound_.insert(
                sound_.end(), block.begin(),
                block.begin() + static_cast<std::ptrdiff_t>(std::min(room, block.size())));
        }
        // A block that claims no time still moves the loop on.
        if (span <= 0) span = kSilentBlockSpan;
        if (span > std::numeric_limits<int64_t>::max() - consumed) break;
        consumed += span;
        report(soundProgress(start, consumed, duration));
    }
    report(100);
}

}  // namespace kz8::movie
