// Any bytes as a card picture, and as a template picture (the first byte's
// low bit picks the template options: CMYK refused, density from JFIF):
// decoding gives a whole, valid DIB or nothing.
// Pictures beyond what a card could carry are refused by the allocator so
// that huge declared sizes do not exhaust the fuzzer's memory.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/portable/dib.h"
#include "common/portable/jpeg_dib.h"

namespace {
constexpr size_t kLargestPicture = 64u << 20;
constexpr long kLibraryMemory = 256L << 20;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes;
    kz8::JpegInput input;
    input.data = data;
    input.size = size;
    input.workingMemoryLimit = kLibraryMemory;
    if (size > 0 && (data[0] & 1)) {
        input.cmyk = kz8::CmykPictures::Refuse;
        input.density = kz8::PictureDensity::FromJfif;
    }
    bool ok = kz8::decodeJpegIntoDib(input, [&](size_t need) -> uint8_t* {
        if (need > kLargestPicture) return nullptr;
        bytes.assign(need, 0);
        return bytes.data();
    });
    if (ok && !kz8::DibView::over(bytes.data(), bytes.size())) __builtin_trap();
    return 0;
}
