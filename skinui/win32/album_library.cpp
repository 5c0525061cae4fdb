#include "skinui/win32/album_library.h"

#include <cstring>
#include <vector>

#include "skinui/portable/template_builder.h"
#include "skinui/portable/template_pictures.h"
#include "skinui/win32/file_cursor.h"

namespace kz8::skinui {

namespace {

constexpr size_t kInitBlockBytes = 528;
constexpr size_t kResourceModuleAt = 8;
constexpr char kResourceModule[] = "qrxResE.dll";
constexpr size_t kStoredNameBytes = 260;
constexpr char kNameField[] = "FileNameNoPath";
constexpr char kContentField[] = "FileContent";

std::string fileNameOf(const std::string& path) { return path.substr(folderOfPath(path).size()); }

std::string currentFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder) : std::string();
}

}  // namespace

std::unique_ptr<AlbumLibrary> AlbumLibrary::open() {
    LoadedModule module(LoadLibraryA("Tomeset.dll"));
    if (!module) return nullptr;
    return std::unique_ptr<AlbumLibrary>(new AlbumLibrary(std::move(module)));
}

template <typename Entry>
Entry AlbumLibrary::entry(const char* name) const {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
}

AlbumLibrary::AlbumLibrary(LoadedModule module) : module_(std::move(module)) {
    init_ = entry<InitEntry>("QRX_DllInit");
    create_ = entry<CreateEntry>("QRX_CreateDocTemplate");
    load_ = entry<LoadEntry>("QRX_LoadAlbum");
    count_ = entry<CountEntry>("QRX_GetObjectCounts");
    field_ = entry<FieldEntry>("QRX_GetFieldData");
    thumbnail_ = entry<ThumbnailEntry>("QRX_GetThumbNail");
    close_ = entry<CloseEntry>("QRX_CloseAlbumTemplate");
    char block[kInitBlockBytes] = {};
    std::memcpy(block + kResourceModuleAt, kResourceModule, sizeof kResourceModule);
    if (init_) init_(block);
    if (create_) {
        handle_ = create_(GetDesktopWindow(), 0, 0);
        haveHandle_ = true;
    }
}

AlbumLibrary::~AlbumLibrary() {
    if (haveHandle_ && close_) close_(handle_);
}

void AlbumLibrary::loadAlbum(const std::string& path) {
    if (load_ && haveHandle_) load_(handle_, path.c_str());
}

std::optional<std::string> AlbumLibrary::storedName(int32_t number) {
    uint32_t size = 0;
    if (!field_(handle_, number, kNameField, nullptr, &size) || size >= kStoredNameBytes)
        return std::nullopt;  // a name that long can match nothing
    // The whole zeroed field goes over; a stored name is shorter, so its
    // terminator stays.
    char name[kStoredNameBytes] = {};
    uint32_t room = sizeof name;
    if (!field_(handle_, number, kNameField, name, &room)) return std::nullopt;
    return std::string(name);
}

std::optional<Dib> AlbumLibrary::picture(const std::string& name) {
    if (!count_ || !field_ || !thumbnail_ || !haveHandle_ || handle_ < 0) return std::nullopt;
    const int32_t count = count_(handle_);
    for (int32_t number = 1; number <= count; ++number) {
        const auto stored = storedName(number);
        if (!stored || lstrcmpiA(stored->c_str(), name.c_str()) != 0) continue;
        GlobalMemory block(thumbnail_(handle_, number));
        if (!block) return std::nullopt;
        GlobalLockGuard locked(block.get());
        if (!locked) return std::nullopt;
        // A thumbnail smaller than its header says is no picture.
        return Dib::fromBytes(std::vector<uint8_t>(locked.bytes(), locked.bytes() + locked.size()));
    }
    return std::nullopt;
}

AlbumLookup AlbumLibrary::templateText(const std::string& path, std::string& text) {
    if (!init_ || !create_ || !load_ || !count_ || !field_ || !close_)
        return AlbumLookup::NoAlbumLibrary;
    loadAlbum(folderOfPath(path) + "dtp.ui");
    const int32_t count = handle_ >= 0 ? count_(handle_) : 0;
    const std::string wanted = fileNameOf(path);
    for (int32_t number = 1; number <= count; ++number) {
        const auto stored = storedName(number);
        if (!stored || lstrcmpiA(stored->c_str(), wanted.c_str()) != 0) continue;
        uint32_t size = 0;
        if (!field_(handle_, number, kContentField, nullptr, &size) || size > kMaxTemplateFileBytes)
            return AlbumLookup::NotFound;
        text.assign(size, '\0');
        uint32_t got = size;
        if (size && !field_(handle_, number, kContentField, text.data(), &got))
            return AlbumLookup::NotFound;
        text.resize(got);
        return AlbumLookup::Found;
    }
    return AlbumLookup::NotFound;
}

namespace {

// One load's pictures: files first, then the album "Buttons.ui" of the
// folder that is current when the load opens them.
class AlbumResources : public TemplateResources {
public:
    AlbumResources()
        : album_(AlbumLibrary::open()),
          files_(
              [this](const std::string& name) {
                  return album_ ? album_->picture(name) : std::nullopt;
              },
              &loadFileCursor) {
        if (album_) album_->loadAlbum(currentFolder() + "\\Buttons.ui");
    }
    std::optional<Dib> picture(const std::string& fileName) override {
        return files_.picture(fileName);
    }
    std::unique_ptr<CursorResource> cursor(const std::string& fileName) override {
        return files_.cursor(fileName);
    }

private:
    std::unique_ptr<AlbumLibrary> album_;
    FileTemplateResources files_;
};

}  // namespace

TemplateSources albumTemplateSources() {
    TemplateSources sources;
    sources.openResources = [] { return std::make_unique<AlbumResources>(); };
    sources.albumText = [](const std::string& path, std::string& text) {
        const auto album = AlbumLibrary::open();
        return album ? album->templateText(path, text) : AlbumLookup::NoAlbumLibrary;
    };
    return sources;
}

}  // namespace kz8::skinui
