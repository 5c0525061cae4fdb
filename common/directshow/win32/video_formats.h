// Video media types with a VIDEOINFOHEADER format block, and reading the
// picture size back from a type someone else made.
#pragma once

#include <windows.h>

#include <strmif.h>

#include <optional>

#include "common/directshow/win32/media_type.h"

namespace kz8::directshow {

constexpr REFERENCE_TIME kFrameDuration30Fps = 333333;  // 100 ns units

constexpr DWORD fourcc(char a, char b, char c, char d) {
    return static_cast<DWORD>(static_cast<BYTE>(a)) |
           static_cast<DWORD>(static_cast<BYTE>(b)) << 8 |
           static_cast<DWORD>(static_cast<BYTE>(c)) << 16 |
           static_cast<DWORD>(static_cast<BYTE>(d)) << 24;
}

// MS Video 1 as AVI files and the video compression manager know it: the
// codec behind Wine's AVI Decompressor (msvidc32) answers to this code.
constexpr DWORD kMsVideo1Fourcc = fourcc('C', 'R', 'A', 'M');

// The subtype GUID the platform derives from a four-character code.
GUID fourccSubtype(DWORD code);

// Bottom-up RGB of the given depth; 565 carries its three masks after the header.
MediaType rgb24VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration);
MediaType rgb32VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration);
MediaType rgb565VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration);
MediaType rgb555VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration);
// Packed 4:2:2; the width must be even.
MediaType yuy2VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration);
// 16-bit MS Video 1; width and height multiples of 4. Samples vary in size up
// to the largest frame the codec can write.
MediaType msVideo1VideoType(LONG width, LONG height, REFERENCE_TIME frameDuration);

struct VideoFormat {
    GUID subtype;
    LONG width;
    LONG height;  // negative for top-down RGB
    WORD bitCount;
    DWORD compression;
    DWORD imageSize;
    REFERENCE_TIME frameDuration;
};

// The video format of `type`, when it is video described by a VIDEOINFOHEADER
// block that really holds one.
std::optional<VideoFormat> videoFormatOf(const AM_MEDIA_TYPE& type);

}  // namespace kz8::directshow
