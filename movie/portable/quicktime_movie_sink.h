// Frames scaled to fill 320 x 240, compressed to JPEG and written with the
// sound into a QuickTime movie.
#pragma once

#include "movie/portable/conversion_driver.h"
#include "movie/portable/quicktime_writer.h"

namespace kz8::movie {

class QuickTimeMovieSink : public MovieSink {
public:
    // `file` stays the caller's; begin() must have succeeded on the writer.
    explicit QuickTimeMovieSink(MovieFile& file) : writer_(file) {}

    bool begin() { return writer_.begin(); }
    bool addFrame(const BgrPicture& frame, uint32_t duration) override;
    bool finish(const std::vector<uint8_t>& sound) override;

private:
    QuickTimeWriter writer_;
};

}  // namespace kz8::movie
