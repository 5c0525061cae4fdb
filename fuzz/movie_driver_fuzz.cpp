// A conversion driven by a scripted source: any duration and frame time
// (the timing arithmetic is also run on the raw values), frames that end
// or cannot be read, sound blocks of any length and span, frames the sink
// refuses; written by our QuickTime writer into memory with stand-in
// JPEG bytes.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_script.h"
#include "movie/portable/conversion_driver.h"
#include "movie/portable/quicktime_writer.h"

namespace {

using namespace kz8::movie;
using kz8::fuzzing::FuzzScript;

class MemoryFile : public MovieFile {
public:
    bool append(const uint8_t* bytes, size_t size) override {
        bytes_.insert(bytes_.end(), bytes, bytes + size);
        return true;
    }
    bool overwrite(uint64_t offset, const uint8_t* bytes, size_t size) override {
        if (offset + size > bytes_.size()) return false;
        std::copy(bytes, bytes + size, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    }
    uint64_t size() const override { return bytes_.size(); }
    bool close() override { return true; }

private:
    std::vector<uint8_t> bytes_;
};

class ScriptedSource : public MovieSource {
public:
    explicit ScriptedSource(FuzzScript& script) : script_(script) {
        // Up to two minutes, so that the sound buffer stays small; the raw
        // values go through the arithmetic on their own.
        duration_ = script_.next<int32_t>() % (120 * kUnitsPerSecond);
        timePerFrame_ = script_.next<int32_t>();
        sound_ = script_.next<uint8_t>() & 1;
    }
    int64_t duration() const override { return duration_; }
    int64_t timePerFrame() const override { return timePerFrame_; }
    bool hasSound() const override { return sound_; }
    FrameRead nextFrame(BgrPicture& frame) override {
        const uint8_t event = script_.next<uint8_t>();
        if (script_.done() || event % 8 == 0) return FrameRead::end;
        if (event % 8 == 1) return FrameRead::unreadable;
        frame.width = frame.height = 1;
        frame.rows.assign(3, event);
        return FrameRead::frame;
    }
    bool nextSoundBlock(std::vector<uint8_t>& bytes, int64_t& span) override {
        const uint16_t length = script_.next<uint16_t>() % 6000;
        if (script_.done() || length == 0) return false;
        bytes.assign(length, uint8_t(length));
        span = script_.next<int32_t>();
        return true;
    }

private:
    FuzzScript& script_;
    int64_t duration_ = 0, timePerFrame_ = 0;
    bool sound_ = false;
};

class WriterSink : public MovieSink {
public:
    WriterSink(FuzzScript& script, MovieFile& file) : script_(script), writer_(file) {
        writer_.begin();
    }
    bool addFrame(const BgrPicture& frame, uint32_t duration) override {
        const uint8_t length = script_.next<uint8_t>();
        if (length == 0xFF) return false;  // a frame that cannot be compressed
        std::vector<uint8_t> jpeg(size_t(length) + 1, frame.rows[0]);
        return writer_.addFrame(jpeg.data(), jpeg.size(), duration);
    }
    bool finish(const std::vector<uint8_t>& sound) override { return writer_.finish(sound); }

private:
    FuzzScript& script_;
    QuickTimeWriter writer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzScript script(data, size);
    const int64_t rawDuration = script.next<int64_t>();
    const int64_t rawFrameTime = script.next<int64_t>();
    movieTiming(rawDuration, rawFrameTime);
    soundCapacity(rawDuration);
    videoProgress(rawFrameTime, rawDuration);
    soundProgress(script.next<uint8_t>() % 101, rawFrameTime, rawDuration);

    ScriptedSource source(script);
    ConversionDriver driver(source, [](float percent) {
        if (percent < 0 || percent > 100) __builtin_trap();
    });
    if (driver.prepare() != ConversionResult::done) return 0;
    MemoryFile file;
    WriterSink sink(script, file);
    driver.run(sink);
    return 0;
}
