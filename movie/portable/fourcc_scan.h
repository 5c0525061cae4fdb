// Movies whose video is stored raw name its four-character code near the
// start of the file, which is enough to choose how to open them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kz8::movie {

// Whether the first 1024 bytes hold GTCC, YVU9, YUY2 or UYVY, wholly within
// them; letters in either case, digits exactly.
bool hasRawVideoCode(const uint8_t* bytes, size_t size);

}  // namespace kz8::movie
