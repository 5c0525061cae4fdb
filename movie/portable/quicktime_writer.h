// A QuickTime movie of a 320 x 240 JPEG video track (time scale 600) and,
// when there is sound, one track of 22050 Hz unsigned 8-bit mono PCM.
// The frames go into the media data as they come, the sound after them,
// the movie's description last. Sound is stored in consecutive chunks of
// ten seconds (220500 bytes), the last holding the rest. Offsets are 32
// bits, so a movie that would pass 4 GiB fails instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "movie/portable/movie_file.h"

namespace kz8::movie {

constexpr uint32_t kMovieTimeScale = 600;
constexpr uint32_t kSoundRate = 22050;
constexpr size_t kSoundChunkBytes = 220500;  // ten seconds
constexpr uint16_t kMovieWidth = 320;
constexpr uint16_t kMovieHeight = 240;

class QuickTimeWriter {
public:
    explicit QuickTimeWriter(MovieFile& file) : file_(file) {}

    // The file type and the start of the media data.
    bool begin();
    // One JPEG frame lasting `duration` 600ths of a second.
    bool addFrame(const uint8_t* jpeg, size_t size, uint32_t duration);
    // The sound (no track when empty), then the movie's description.
    bool finish(const std::vector<uint8_t>& sound);

    uint32_t frames() const { return static_cast<uint32_t>(frameSizes_.size()); }

private:
    bool appendMedia(const uint8_t* bytes, size_t size);
    std::vector<uint8_t> movieAtom(uint32_t soundBytes) const;
    void writeVideoTrack(std::vector<uint8_t>& out) const;
    void writeSoundTrack(std::vector<uint8_t>& out, uint32_t soundBytes) const;
    uint32_t videoDuration() const;

    MovieFile& file_;
    uint64_t mediaStart_ = 0;  // of the media data atom's header
    std::vector<uint32_t> frameSizes_;
    std::vector<uint32_t> frameOffsets_;
    std::vector<std::pair<uint32_t, uint32_t>> frameRuns_;  // count, duration
    std::vector<uint32_t> soundOffsets_;
};

}  // namespace kz8::movie
