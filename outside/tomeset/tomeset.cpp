// Tomeset.dll stand-in (outside the system): the album library's seven entry
// points over the stand-in album format, and test exports that show what it
// was asked. Its state is the module's own and lives while it is loaded.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "outside/tomeset/album_file.h"

namespace {

using kz8::outside::AlbumObject;

constexpr size_t kInitBlockBytes = 528;
constexpr size_t kResourceNameAt = 8;
constexpr int kModeNegativeHandle = 1, kModeLongName = 2, kModeHugeContent = 3;

struct Library {
    std::map<int32_t, std::vector<AlbumObject>> albums;
    int32_t nextHandle = 1;
    std::string log;
    int mode = 0;
};

Library& library() {
    static Library state;
    return state;
}

void note(const std::string& line) { library().log += line + "\n"; }

[[maybe_unused]] const AlbumObject* objectOf(int32_t handle, int32_t number) {
    const auto album = library().albums.find(handle);
    if (album == library().albums.end() || number < 1 || size_t(number) > album->second.size())
        return nullptr;
    return &album->second[size_t(number) - 1];
}

}  // namespace

#define TOMESET_EXPORT extern "C" __declspec(dllexport)

TOMESET_EXPORT void __cdecl QRX_DllInit(const char* block) {
    bool zeros = true;
    for (size_t i = 0; i < kResourceNameAt; ++i) zeros = zeros && block[i] == 0;
    const std::string name = block + kResourceNameAt;
    for (size_t i = kResourceNameAt + name.size(); i < kInitBlockBytes; ++i)
        zeros = zeros && block[i] == 0;
    note("QRX_DllInit " + name + (zeros ? " zeroed" : " not zeroed"));
}

#ifndef TOMESET_ONLY_INIT
TOMESET_EXPORT int32_t __cdecl QRX_CreateDocTemplate(HWND window, int32_t a, int32_t b) {
    note(std::string("QRX_CreateDocTemplate ") +
         (window == GetDesktopWindow() ? "desktop " : "other ") + std::to_string(a) + " " +
         std::to_string(b));
    if (library().mode == kModeNegativeHandle) return -1;
    const int32_t handle = library().nextHandle++;
    library().albums[handle] = {};
    return handle;
}

TOMESET_EXPORT void __cdecl QRX_CloseAlbumTemplate(int32_t handle) {
    note("QRX_CloseAlbumTemplate " + std::to_string(handle));
    library().albums.erase(handle);
}
#endif

#if !defined(TOMESET_ONLY_INIT) && !defined(TOMESET_NO_LOAD_ALBUM)
TOMESET_EXPORT void __cdecl QRX_LoadAlbum(int32_t handle, const char* path) {
    note("QRX_LoadAlbum " + std::to_string(handle) + " " + path);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    auto objects = kz8::outside::readAlbum(bytes).value_or(std::vector<AlbumObject>{});
    if (library().mode == kModeLongName)
        objects.insert(objects.begin(), {std::string(300, 'n'), {}});
    if (library().albums.count(handle)) library().albums[handle] = std::move(objects);
}
#endif

#ifndef TOMESET_ONLY_INIT
TOMESET_EXPORT int32_t __cdecl QRX_GetObjectCounts(int32_t handle) {
    note("QRX_GetObjectCounts " + std::to_string(handle));
    const auto album = library().albums.find(handle);
    return album == library().albums.end() ? 0 : int32_t(album->second.size());
}

TOMESET_EXPORT int32_t __cdecl QRX_GetFieldData(int32_t handle, int32_t number, const char* field,
                                                void* buffer, uint32_t* size) {
    note("QRX_GetFieldData " + std::to_string(handle) + " " + std::to_string(number) + " " + field +
         (buffer ? " buffer " + std::to_string(*size) : " size"));
    const AlbumObject* object = objectOf(handle, number);
    if (!object || !size) return 0;
    const bool name = std::strcmp(field, "FileNameNoPath") == 0;
    const uint8_t* bytes =
        name ? reinterpret_cast<const uint8_t*>(object->name.data()) : object->content.data();
    uint32_t length = uint32_t(name ? object->name.size() : object->content.size());
    if (!buffer) {
        *size = !name && library().mode == kModeHugeContent ? 0xFFFFFFF0u : length;
        return 1;
    }
    length = std::min(length, *size);
    std::memcpy(buffer, bytes, length);
    *size = length;
    return 1;
}
#endif

#if !defined(TOMESET_ONLY_INIT) && !defined(TOMESET_NO_THUMBNAIL)
TOMESET_EXPORT HGLOBAL __cdecl QRX_GetThumbNail(int32_t handle, int32_t number) {
    note("QRX_GetThumbNail " + std::to_string(handle) + " " + std::to_string(number));
    const AlbumObject* object = objectOf(handle, number);
    constexpr size_t kFileHeader = 14;
    if (!object || object->content.size() <= kFileHeader || object->content[0] != 'B' ||
        object->content[1] != 'M')
        return nullptr;
    const size_t bytes = object->content.size() - kFileHeader;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (void* to = block ? GlobalLock(block) : nullptr) {
        std::memcpy(to, object->content.data() + kFileHeader, bytes);
        GlobalUnlock(block);
    }
    return block;
}
#endif

TOMESET_EXPORT const char* __cdecl TomesetCallLog() { return library().log.c_str(); }
TOMESET_EXPORT int32_t __cdecl TomesetOpenHandles() { return int32_t(library().albums.size()); }
TOMESET_EXPORT void __cdecl TomesetSetMode(int32_t mode) {
    library().mode = mode;
    library().log.clear();
}
