#include "skinui/win32/template_loading.h"

#include <new>

#include "common/win32/handles.h"
#include "common/win32/module_function.h"
#include "skinui/portable/template_checks.h"

namespace kz8::skinui {

namespace {

// Makes a folder current for its lifetime and puts the host's back after.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::string& folder) {
        char saved[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof saved, saved);
        if (length > 0 && length < sizeof saved) saved_ = saved;
        if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentFolderScope() {
        if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
    }
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

private:
    std::string saved_;
};

LoadResult failed(ParseError error) {
    LoadResult result;
    result.error = std::move(error);
    return result;
}

ParseError errorOf(int32_t id, std::vector<std::string> arguments = {}) {
    return ParseError{id, kNoLine, std::move(arguments)};
}

// The whole file into text; the album decides for a file that cannot be opened.
std::optional<ParseError> readTemplateFile(const std::string& path, const TemplateSources& sources,
                                           std::string& text) {
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const AlbumLookup found =
            sources.albumText ? sources.albumText(path, text) : AlbumLookup::NoAlbumLibrary;
        if (found == AlbumLookup::NoAlbumLibrary) return errorOf(kErrorCannotOpen, {path});
        if (found == AlbumLookup::NotFound) return errorOf(kErrorNoMemory);
        return std::nullopt;
    }
    DWORD high = 0;
    const DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxTemplateFileBytes)
        return errorOf(kErrorNoMemory);
    text.assign(size, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), text.data(), size, &got, nullptr) || got != size)
        return errorOf(kErrorReadFailed, {path});
    return std::nullopt;
}

// Checks, then builds with folder current and the resources open.
LoadResult checkAndBuild(std::string_view text, const std::string& folder,
                         const std::string& upperPath, const TemplateSources& sources) {
    ParseResult parsed = parseTemplateText(text);
    if (!parsed.ok) return failed(std::move(parsed.error));
    if (auto error = checkTemplate(parsed.tree)) return failed(std::move(*error));

    CurrentFolderScope folderScope(folder);
    std::unique_ptr<TemplateResources> resources =
        sources.openResources ? sources.openResources() : nullptr;
    if (!resources) return failed(errorOf(kErrorNoMemory));
    auto built = std::make_unique<Template>();
    built->path = upperPath;
    BuildOptions options;
    options.isLeadByte = &isHostLeadByte;
    if (auto error = buildTemplate(parsed.tree, *resources, options, *built))
        return failed(std::move(*error));
    LoadResult result;
    result.loaded = std::move(built);
    return result;
}

}  // namespace

std::string folderOfPath(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool isHostLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

LoadResult loadTemplateFile(const char* path, const TemplateSources& sources) {
    try {
        const std::string given = path ? path : "";
        char full[MAX_PATH] = {};
        const DWORD length = GetFullPathNameA(given.c_str(), sizeof full, full, nullptr);
        if (length == 0 || length >= sizeof full) return failed(errorOf(kErrorNoFullPath, {given}));
        if (auto error = templatePathError(given)) return failed(std::move(*error));
        std::string text;
        if (auto error = readTemplateFile(given, sources, text)) return failed(std::move(*error));
        // The path field in upper case, double-byte characters kept whole.
        std::string upper = given;
        CharUpperBuffA(upper.data(), DWORD(upper.size()));
        return checkAndBuild(text, folderOfPath(full), upper, sources);
    } catch (const std::bad_alloc&) {
        return failed(errorOf(kErrorNoMemory));
    }
}

LoadResult loadTemplateFromText(const char* text, const TemplateSources& sources) {
    try {
        return checkAndBuild(text ? std::string_view(text) : std::string_view(), moduleFolder(),
                             std::string(), sources);
    } catch (const std::bad_alloc&) {
        return failed(errorOf(kErrorNoMemory));
    }
}

std::string moduleFolder() {
    HMODULE self = moduleContaining(reinterpret_cast<const void*>(&moduleFolder));
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(self, path, sizeof path);
    return length > 0 && length < sizeof path ? folderOfPath(path) : std::string();
}

}  // namespace kz8::skinui
