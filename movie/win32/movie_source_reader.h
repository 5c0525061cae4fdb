// A clip read through the platform's media layer as the conversion's
// source: its video (required) and its sound (optional).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "movie/portable/conversion_driver.h"
#include "movie/win32/sound_blocks.h"
#include "movie/win32/video_frames.h"

namespace kz8::movie {

class MovieSourceReader : public MovieSource {
public:
    // Null when the source's video cannot be read (or its ANSI path is
    // longer than the media layer takes).
    static std::unique_ptr<MovieSourceReader> open(const std::string& path);

    int64_t duration() const override { return video_.duration(); }
    int64_t timePerFrame() const override { return video_.timePerFrame(); }
    bool hasSound() const override { return hasSound_; }
    FrameRead nextFrame(BgrPicture& frame) override { return video_.next(frame); }
    bool nextSoundBlock(std::vector<uint8_t>& bytes, int64_t& span) override {
        return hasSound_ && sound_.next(bytes, span);
    }

private:
    VideoFrames video_;
    SoundBlocks sound_;
    bool hasSound_ = false;
};

// Whether the file starts with one of the raw-video codes that make the
// video stream keep its own surface format.
bool storesRawVideo(const std::string& path);

}  // namespace kz8::movie
