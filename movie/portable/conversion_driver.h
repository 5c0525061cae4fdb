// A conversion from a source clip into a movie, apart from where the
// frames and sound come from and how the movie is written: the frame
// timing, the video loop, the sound loop, the counters and the progress.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "movie/portable/movie_timing.h"
#include "movie/portable/picture_scaler.h"

namespace kz8::movie {

enum class FrameRead { frame, end, unreadable };

class MovieSource {
public:
    virtual ~MovieSource() = default;
    virtual int64_t duration() const = 0;      // D, 100-ns units
    virtual int64_t timePerFrame() const = 0;  // T, 100-ns units; 0 when unknown
    virtual bool hasSound() const = 0;
    virtual FrameRead nextFrame(BgrPicture& frame) = 0;
    // The next block of 22050 Hz 8-bit mono and the source time it spans;
    // false when none came.
    virtual bool nextSoundBlock(std::vector<uint8_t>& bytes, int64_t& span) = 0;
};

class MovieSink {
public:
    virtual ~MovieSink() = default;
    // False when the frame cannot be compressed or added.
    virtual bool addFrame(const BgrPicture& frame, uint32_t duration) = 0;
    // The sound gathered (empty for none), then the movie completed.
    virtual bool finish(const std::vector<uint8_t>& sound) = 0;
};

enum class ConversionResult { done, soundTooShort, memoryLow, finishFailed };

using ProgressFunction = std::function<void(float)>;

class ConversionDriver {
public:
    // Sound larger than this cannot be written with 32-bit offsets.
    static constexpr uint64_t kLargestSound = 0xFFFFFFFFu;

    ConversionDriver(MovieSource& source, ProgressFunction progress);

    // Before the movie is made: the sound buffer for the whole source.
    ConversionResult prepare();
    // The video loop, the sound loop, and the movie finished.
    ConversionResult run(MovieSink& sink);

    const MovieTiming& timing() const { return timing_; }
    uint32_t framesWritten() const { return framesWritten_; }
    size_t soundBytes() const { return sound_.size(); }

private:
    void videoLoop(MovieSink& sink);
    void soundLoop();
    void report(int percent);

    MovieSource& source_;
    ProgressFunction progress_;
    MovieTiming timing_;
    uint64_t soundCapacity_ = 0;
    std::vector<uint8_t> sound_;
    uint32_t framesWritten_ = 0;
    int lastProgress_ = 0;
};

}  // namespace kz8::movie
