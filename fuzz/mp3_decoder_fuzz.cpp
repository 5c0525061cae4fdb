// Arbitrary bytes as an MP3 stream, through the reader and the decoder into
// blocks: damaged frames may give any sound, but never a crash or a write
// outside the block.
#include <cstddef>
#include <cstdint>

#include "audio/portable/frame_decoder.h"
#include "fuzz/memory_stream.h"

namespace {

using namespace kz8::audio;

constexpr int kMaxFrames = 2000;

struct DiscardingOutput : BlockOutput {
    int32_t writeBlock(const uint8_t*, uint32_t length) override { return int32_t(length); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    Memory memory{data + 1, size - 1};
    PlaybackParams params;
    params.resync = data[0] & 1;
    params.sourceKind = kSourceStream;
    params.stream = memoryStreamSource(memory);
    DecoderSettings settings;
    settings.downSample = (data[0] >> 1) % 3;
    settings.forceMono = (data[0] >> 3) & 1;
    settings.blockSize = 4096;
    Mp3StreamReader reader(params);
    FrameDecoder decoder;
    DiscardingOutput output;
    try {
        reader.open();
        decoder.prepare(settings);
        for (int frame = 0; frame < kMaxFrames; ++frame) {
            const int result = reader.readFrame();
            if (result == kEndOfStream) break;
            if (result == kFrameRead) decoder.decodeFrame(reader, output);
        }
        decoder.flushBlock(output);
    } catch (int) {
        // The engine's failures are integer exceptions.
    }
    return 0;
}
