// The stand-in album format: "KZ8TOME1", a u32 count, then per object a u32
// name length, the name, a u32 content length and the content.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz8::outside {

struct AlbumObject {
    std::string name;
    std::vector<uint8_t> content;
};

std::vector<uint8_t> writeAlbum(const std::vector<AlbumObject>& objects);
// Nothing when the bytes are not a whole album.
std::optional<std::vector<AlbumObject>> readAlbum(const std::vector<uint8_t>& bytes);

}  // namespace kz8::outside
