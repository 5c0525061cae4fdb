// Time and seeking of the open stream. Without a frame count from the first
// frame both assume a constant bitrate and use the header of the last frame
// read, so a tag or a variable bitrate makes them approximate; seeking
// always does.
#include "audio/portable/mp3_stream_reader.h"

#include <limits>

namespace kz8::audio {

uint32_t Mp3StreamReader::estimatedFrameCount() const {
    if (taggedFrameCount_ != 0) return taggedFrameCount_;
    // One more than the unpadded frame length; that is how the engine has
    // always counted.
    const int32_t perFrame = header_.bodySize + 5 - header_.padding;
    if (perFrame <= 0) return 0;
    return fileSize() / uint32_t(perFrame);
}

double Mp3StreamReader::timePerFrame() const {
    return timePerFrameMs(header_.rateIndex, header_.layer);
}

double Mp3StreamReader::totalTime() const { return timePerFrame() * estimatedFrameCount(); }

int32_t Mp3StreamReader::currentTime() const {
    return int32_t(timePerFrame() * params_.frameCounter);
}

bool Mp3StreamReader::seekToTime(uint32_t ms, const std::atomic<bool>* stop) {
    const double perFrame = timePerFrame();
    if (!source_ || perFrame <= 0.0) return false;
    const uint32_t target = uint32_t(ms / perFrame);
    if (estimatedFrameCount() < target) return false;

    uint32_t before = 0;
    uint32_t at = 0;
    if (!sourcePosition(before)) return false;
    // The body length times the frame index: the position this engine has
    // always sought to; the scan of the next read finds the frame from there.
    const uint64_t position = uint64_t(header_.bodySize) * target;
    if (position > uint64_t(std::numeric_limits<int32_t>::max()) ||
        !source_->seek(int32_t(position), SeekOrigin::Start, at)) {
        source_->seek(int32_t(before), SeekOrigin::Start, at);
        return false;
    }
    params_.frameCounter = target;
    for (;;) {
        const int result = readFrame();
        if (result == kFrameRead) {
            ++params_.frameCounter;
            break;
        }
        if (result == kEndOfStream) break;
        if (stop && stop->load()) return false;
    }
    return true;
}

}  // namespace kz8::audio
