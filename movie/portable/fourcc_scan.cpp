#include "movie/portable/fourcc_scan.h"

#include <algorithm>

namespace kz8::movie {

namespace {

constexpr size_t kScannedBytes = 1024;
constexpr size_t kCodeLength = 4;
constexpr const char* kRawVideoCodes[] = {"GTCC", "YVU9", "YUY2", "UYVY"};

// ASCII only: a locale must not decide what a file says.
uint8_t asciiUpper(uint8_t byte) { return byte >= 'a' && byte <= 'z' ? uint8_t(byte - 32) : byte; }

// The codes hold only capitals and digits, and upper-casing never makes a
// digit, so one comparison serves both.
bool codeAt(const uint8_t* bytes, const char* code) {
    for (size_t i = 0; i < kCodeLength; ++i)
        if (asciiUpper(bytes[i]) != uint8_t(code[i])) return false;
    return true;
}

}  // namespace

bool hasRawVideoCode(const uint8_t* bytes, size_t size) {
    const size_t scanned = bytes == nullptr ? 0 : std::min(size, kScannedBytes);
    for (size_t at = 0; at + kCodeLength <= scanned; ++at)
        for (const char* code : kRawVideoCodes)
            if (codeAt(bytes + at, code)) return true;
    return false;
}

}  // namespace kz8::movie
