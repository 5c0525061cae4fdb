// Read frame and the bit reader over arbitrary bytes: the first bytes steer
// the reader (resync, how far to read bits, backsteps), the rest is the
// stream, read through the caller-stream functions as the engine reads any
// outside source.
#include "audio/portable/mp3_stream_reader.h"
#include "fuzz/memory_stream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace kz8::audio;

constexpr size_t kControlBytes = 4;
constexpr int kMaxFrames = 4000;
// Bit reads on the first frames only: enough to run past any body's end,
// cheap enough to keep the executions fast.
constexpr int kFramesWithBitReads = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kControlBytes) return 0;
    const uint8_t resync = data[0] & 1;
    const int bitReads = data[1];
    const int32_t backstep = int32_t(data[2]) * 2 + (data[3] & 1);  // 0..511, the format's range
    Memory memory{data + kControlBytes, size - kControlBytes};

    PlaybackParams params;
    params.resync = resync;
    params.sourceKind = kSourceStream;
    params.stream = memoryStreamSource(memory);
    Mp3StreamReader reader(params);
    try {
        reader.open();
        for (int frame = 0; frame < kMaxFrames; ++frame) {
            const int result = reader.readFrame();
            if (result == kEndOfStream) break;
            if (result != kFrameRead) continue;
            if (reader.header().layer == 3) reader.setPointer(backstep);
            for (int i = 0; frame < kFramesWithBitReads && i < bitReads; ++i) {
                reader.getBits(i % 17);
                reader.getBitsFast(i % 9);
                reader.get1Bit();
            }
            (void)reader.estimatedFrameCount();
            (void)reader.totalTime();
        }
        if (reader.seekToTime(uint32_t(data[1]) * 40)) reader.readFrame();
    } catch (int) {
        // The engine's failures are integer exceptions; the owner closes.
    }
    reader.close();
    return 0;
}
