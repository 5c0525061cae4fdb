// Read frame and the bit reader over arbitrary bytes: the first bytes steer
// the reader (resync, how far to read bits, backsteps), the rest is the
// stream, read through the caller-stream functions as the engine reads any
// outside source.
#include "audio/portable/mp3_stream_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace kz8::audio;

struct Memory {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

Memory& memoryOf(void* context) { return *static_cast<Memory*>(context); }

uint8_t memOpen(void*, uint32_t* user, uint8_t* flag) {
    *user = 0;
    *flag = 1;
    return 1;
}
void memClose(void*, uint32_t) {}
uint8_t memSize(void* context, uint32_t, uint32_t* size) {
    *size = uint32_t(memoryOf(context).size);
    return 1;
}
uint8_t memSeek(void* context, uint32_t, int32_t* position, int32_t origin) {
    Memory& m = memoryOf(context);
    const int64_t base = origin == 0 ? 0 : origin == 1 ? int64_t(m.pos) : int64_t(m.size);
    const int64_t target = base + *position;
    if (target < 0) return 0;
    m.pos = size_t(target);
    *position = int32_t(target);
    return 1;
}
uint8_t memRead(void* context, uint32_t, void* buffer, uint32_t count, uint32_t* got) {
    Memory& m = memoryOf(context);
    const size_t available = m.pos < m.size ? m.size - m.pos : 0;
    const size_t n = std::min<size_t>(count, available);
    if (n) std::memcpy(buffer, m.data + m.pos, n);
    m.pos += n;
    *got = uint32_t(n);
    return 1;
}

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
    params.stream = StreamSource{&memOpen, &memClose, &memSize, &memSeek, &memRead, &memory};
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
