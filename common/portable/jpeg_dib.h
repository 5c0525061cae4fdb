// JPEG pictures into DIB bytes: 24-bit blue-green-red rows for colour
// pictures, 8-bit rows with a grey ramp otherwise, bottom-up, each row
// zero-padded to 4 bytes. The card player and the template library differ
// only in their options: what a four-component picture becomes and where the
// density comes from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/portable/dib.h"

namespace kz8 {
inline namespace common {

// Gives zero-filled room for a whole DIB of `size` bytes, or nullptr. The
// Win32 side hands out a locked global block, the portable side a vector.
using DibAllocator = std::function<uint8_t*(size_t size)>;

enum class CmykPictures {
    Convert,  // CMYK and YCCK come out as 24-bit colour (the card player)
    Refuse,   // they are not decoded at all (the template library)
};
enum class PictureDensity {
    Fixed,     // 7874 pixels per metre, 200 dots per inch, whatever the file says
    FromJfif,  // the JFIF density: dpi x 3937 / 100 or dpcm x 100; 0 without one
};

struct JpegInput {
    std::string path;               // a file, or
    const uint8_t* data = nullptr;  // bytes in memory when path is empty
    size_t size = 0;
    // Caps the library's own working memory (0: no cap); the fuzzer uses it,
    // since a tiny progressive file can ask for huge coefficient buffers.
    long workingMemoryLimit = 0;
    CmykPictures cmyk = CmykPictures::Convert;
    PictureDensity density = PictureDensity::Fixed;
};

// The largest picture we decode. GDI coordinates are 16-bit on the Windows
// line this product ships for, so SetDIBitsToDevice, StretchDIBits and the
// reveal's compatible bitmap address at most 32767 pixels a side; and one
// global block of more than 256 MiB is beyond what a 32-bit process can count
// on. A header beyond either is refused before anything is allocated.
constexpr uint32_t kMaxPictureSide = 32767;
constexpr uint64_t kMaxPictureBytes = uint64_t(256) << 20;

// Writes the DIB into what `allocate` gave; false on any failure (file
// missing, not a JPEG, corrupt, cut short, out of memory). After a failure
// the allocated bytes belong to no picture and the caller frees them.
bool decodeJpegIntoDib(const JpegInput& input, const DibAllocator& allocate,
                       std::string* error = nullptr);

std::optional<Dib> decodeJpegFile(const std::string& path, std::string* error = nullptr);
std::optional<Dib> decodeJpegMemory(const uint8_t* data, size_t size, std::string* error = nullptr);

}  // namespace common
}  // namespace kz8
