// The bridge to the album library Tomeset.dll, which is not part of the
// suite: loaded by name, its entry points looked up one by one and each
// called only when found. One object is one load of the library with one
// album handle; destroying it closes the album and unloads the library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/portable/dib.h"
#include "common/win32/handles.h"
#include "skinui/win32/template_loading.h"

namespace kz8::skinui {

class AlbumLibrary {
public:
    // Loads the library, hands it its init block and makes an album handle.
    // Nothing when the library is not there.
    static std::unique_ptr<AlbumLibrary> open();
    ~AlbumLibrary();
    AlbumLibrary(const AlbumLibrary&) = delete;
    AlbumLibrary& operator=(const AlbumLibrary&) = delete;

    void loadAlbum(const std::string& path);
    // The thumbnail of the first object whose stored name equals name (any
    // case); nothing without the entry points, a handle or a match.
    std::optional<Dib> picture(const std::string& name);
    // The text of the template file path from the album "dtp.ui" of its
    // folder, as the template loader's album fallback asks for it.
    AlbumLookup templateText(const std::string& path, std::string& text);

private:
    using InitEntry = void(__cdecl*)(char* block);
    using CreateEntry = int32_t(__cdecl*)(HWND desktop, int32_t, int32_t);
    using LoadEntry = void(__cdecl*)(int32_t handle, const char* path);
    using CountEntry = int32_t(__cdecl*)(int32_t handle);
    using FieldEntry = int32_t(__cdecl*)(int32_t handle, int32_t number, const char* field,
                                         void* buffer, uint32_t* size);
    using ThumbnailEntry = HGLOBAL(__cdecl*)(int32_t handle, int32_t number);
    using CloseEntry = void(__cdecl*)(int32_t handle);

    explicit AlbumLibrary(LoadedModule module);
    template <typename Entry>
    Entry entry(const char* name) const;
    // The stored name of object number, or nothing.
    std::optional<std::string> storedName(int32_t number);

    LoadedModule module_;
    InitEntry init_ = nullptr;
    CreateEntry create_ = nullptr;
    LoadEntry load_ = nullptr;
    CountEntry count_ = nullptr;
    FieldEntry field_ = nullptr;
    ThumbnailEntry thumbnail_ = nullptr;
    CloseEntry close_ = nullptr;
    int32_t handle_ = -1;
    bool haveHandle_ = false;
};

// What the library's own template loads use: pictures from files and the
// album "Buttons.ui" of the template's folder, cursors from files, and the
// album "dtp.ui" for template files that are not there.
TemplateSources albumTemplateSources();

}  // namespace kz8::skinui
