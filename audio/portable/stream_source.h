// The caller's stream: five functions and a context pointer, set on the player
// before the source is opened. Each returns a success byte (non-zero = done).
#pragma once

#include "audio/portable/byte_source.h"

#include <cstdint>

namespace kz8::audio {

struct StreamSource {
    // Writes the user value that the other functions get, and a flag byte for
    // the client (kept in PlaybackParams::sourceFlag).
    uint8_t (*open)(void* context, uint32_t* userValue, uint8_t* flag) = nullptr;
    void (*close)(void* context, uint32_t userValue) = nullptr;
    uint8_t (*size)(void* context, uint32_t userValue, uint32_t* size) = nullptr;
    // origin: 0 from the start, 1 from the current position, 2 from the end;
    // the new absolute position is written back.
    uint8_t (*seek)(void* context, uint32_t userValue, int32_t* position, int32_t origin) = nullptr;
    uint8_t (*read)(void* context, uint32_t userValue, void* buffer, uint32_t count,
                    uint32_t* countRead) = nullptr;
    void* context = nullptr;

    bool complete() const { return open && close && size && seek && read; }
};

struct OpenedStream {
    std::unique_ptr<ByteSource> source;
    uint32_t userValue = 0;
    uint8_t flag = 0;
};

// Calls open and size. Returns no source when either fails; a stream that was
// opened is closed again then, so nothing stays open behind a failed open.
OpenedStream openStreamSource(const StreamSource& functions);

}  // namespace kz8::audio
