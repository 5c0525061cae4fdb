#include "outside/tomeset/album_file.h"

#include <cstring>

#include "common/portable/le_bytes.h"

namespace kz8::outside {

namespace {

constexpr char kMagic[] = "KZ8TOME1";
constexpr size_t kMagicBytes = 8;

void appendU32(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[4];
    storeU32LE(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

}  // namespace

std::vector<uint8_t> writeAlbum(const std::vector<AlbumObject>& objects) {
    std::vector<uint8_t> out(kMagic, kMagic + kMagicBytes);
    appendU32(out, uint32_t(objects.size()));
    for (const AlbumObject& object : objects) {
        appendU32(out, uint32_t(object.name.size()));
        out.insert(out.end(), object.name.begin(), object.name.end());
        appendU32(out, uint32_t(object.content.size()));
        out.insert(out.end(), object.content.begin(), object.content.end());
    }
    return out;
}

std::optional<std::vector<AlbumObject>> readAlbum(const std::vector<uint8_t>& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    char magic[kMagicBytes];
    uint32_t count = 0;
    if (!in.readBytes(magic, kMagicBytes) || std::memcmp(magic, kMagic, kMagicBytes) != 0 ||
        !in.readU32(count))
        return std::nullopt;
    std::vector<AlbumObject> objects;
    for (uint32_t i = 0; i < count; ++i) {
        AlbumObject object;
        uint32_t nameBytes = 0, contentBytes = 0;
        if (!in.readU32(nameBytes) || !in.has(nameBytes)) return std::nullopt;
        object.name.resize(nameBytes);
        in.readBytes(object.name.data(), nameBytes);
        if (!in.readU32(contentBytes) || !in.has(contentBytes)) return std::nullopt;
        object.content.resize(contentBytes);
        in.readBytes(object.content.data(), contentBytes);
        objects.push_back(std::move(object));
    }
    return objects;
}

}  // namespace kz8::outside
