// The fuzzer's input as a caller's stream, so that the engine reads it the
// way it reads any outside source.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "audio/portable/stream_source.h"

namespace kz8::audio {

struct Memory {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

inline Memory& memoryOf(void* context) { return *static_cast<Memory*>(context); }

inline uint8_t memOpen(void*, uint32_t* user, uint8_t* flag) {
    *user = 0;
    *flag = 1;
    return 1;
}
inline void memClose(void*, uint32_t) {}
inline uint8_t memSize(void* context, uint32_t, uint32_t* size) {
    *size = uint32_t(memoryOf(context).size);
    return 1;
}
inline uint8_t memSeek(void* context, uint32_t, int32_t* position, int32_t origin) {
    Memory& m = memoryOf(context);
    const int64_t base = origin == 0 ? 0 : origin == 1 ? int64_t(m.pos) : int64_t(m.size);
    const int64_t target = base + *position;
    if (target < 0) return 0;
    m.pos = size_t(target);
    *position = int32_t(target);
    return 1;
}
inline uint8_t memRead(void* context, uint32_t, void* buffer, uint32_t count, uint32_t* got) {
    Memory& m = memoryOf(context);
    const size_t available = m.pos < m.size ? m.size - m.pos : 0;
    const size_t n = std::min<size_t>(count, available);
    if (n) std::memcpy(buffer, m.data + m.pos, n);
    m.pos += n;
    *got = uint32_t(n);
    return 1;
}

inline StreamSource memoryStreamSource(Memory& memory) {
    return StreamSource{&memOpen, &memClose, &memSize, &memSeek, &memRead, &memory};
}

}  // namespace kz8::audio
