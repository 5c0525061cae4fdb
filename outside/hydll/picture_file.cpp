#include "outside/hydll/picture_file.h"

#include <cstdio>
#include <vector>

#include "common/portable/jpeg_dib.h"
#include "common/portable/stdio_file.h"
#include "skinui/portable/bitmap_reader.h"

namespace kz8::outside {
namespace {

constexpr uint8_t kBitmapMagic[] = {'B', 'M'};
constexpr uint8_t kJpegStartOfImage[] = {0xFF, 0xD8};
// The largest picture the readers take, with room for headers and a colour
// table; anything longer is not a picture of ours.
constexpr uint64_t kMaxFileBytes = kMaxPictureBytes + (uint64_t(1) << 16);
constexpr size_t kReadChunk = 65536;

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    UniqueFile file = openFile(path, "rb");
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> chunk(kReadChunk);
    for (size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0;) {
        if (bytes.size() + got > kMaxFileBytes) return std::nullopt;
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

template <size_t N>
bool startsWith(const std::vector<uint8_t>& bytes, const uint8_t (&magic)[N]) {
    if (bytes.size() < N) return false;
    for (size_t i = 0; i < N; ++i)
        if (bytes[i] != magic[i]) return false;
    return true;
}

}  // namespace

std::optional<Dib> readPictureFile(const std::string& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return std::nullopt;
    if (startsWith(*bytes, kBitmapMagic))
        return skinui::readBitmapFile(bytes->data(), bytes->size());
    if (startsWith(*bytes, kJpegStartOfImage))
        return decodeJpegMemory(bytes->data(), bytes->size());
    return std::nullopt;
}

}  // namespace kz8::outside
