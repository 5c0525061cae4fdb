// Where the stream reader takes its bytes from: a file opened by name or the
// caller's stream functions. Every operation reports success, as the
// platform's file calls do, and never throws.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kz8::audio {

enum class SeekOrigin : int32_t { Start = 0, Current = 1, End = 2 };

class ByteSource {
public:
    virtual ~ByteSource() = default;  // closes the source

    // Reads up to count bytes; got is 0 at the end of the data.
    virtual bool read(void* buffer, uint32_t count, uint32_t& got) = 0;
    // Moves by offset from origin; position receives the new absolute position.
    virtual bool seek(int32_t offset, SeekOrigin origin, uint32_t& position) = 0;
    // The size in bytes, taken when the source was opened.
    virtual uint32_t size() const = 0;
};

// Opens a file by name for reading, shared with other readers; nothing when it
// cannot be opened or its size cannot be taken.
using FileOpener = std::unique_ptr<ByteSource> (*)(const std::string& name);

}  // namespace kz8::audio
