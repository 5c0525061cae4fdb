// dtpcheck FILE...: lints skin templates as the template library loads them
// (path, extension, reading, parsing and every check) and prints, for each
// file, "FILE: OK" or "FILE: " and the library's error text.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include <filesystem>
#include <vector>

#include "common/portable/stdio_file.h"
#include "skinui/portable/template_builder.h"
#include "skinui/portable/template_pictures.h"

namespace {

using namespace kz8::skinui;

constexpr int kAllPassed = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

void printUsage(std::FILE* to) {
    std::fputs(
        "usage: dtpcheck [--pictures] FILE...\n"
        "Checks each .dtp template as the skinned template library loads it and\n"
        "prints \"FILE: OK\" or \"FILE: \" and the error the library would record\n"
        "(\"ERROR! ID=n LINE=n ...\").\n"
        "--pictures  also reads every picture the template names, relative to its\n"
        "            folder: a background that cannot be read fails the file; any\n"
        "            other is a warning line, since the album may hold it.\n"
        "Exit status: 0 every file passed, 1 some failed, 2 usage error.\n",
        to);
}

// Pictures from files only (no album here), noting each that does not read.
struct CheckedPictures : FileTemplateResources {
    CheckedPictures() : FileTemplateResources(nullptr, nullptr) {}
    std::optional<kz8::Dib> picture(const std::string& fileName) override {
        auto read = FileTemplateResources::picture(fileName);
        if (!read) unreadable.push_back(fileName);
        return read;
    }
    std::vector<std::string> unreadable;
};

std::optional<ParseError> checkFile(const std::string& path, bool pictures,
                                    std::vector<std::string>& warnings) {
    if (auto error = templatePathError(path)) return error;
    kz8::UniqueFile file = kz8::openFile(path, "rb");
    if (!file) return ParseError{kErrorCannotOpen, kNoLine, {path}};
    std::string text;
    char chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        text.append(chunk, got);
        if (text.size() > kMaxTemplateFileBytes) return ParseError{kErrorNoMemory, kNoLine, {}};
    }
    if (std::ferror(file.get())) return ParseError{kErrorReadFailed, kNoLine, {path}};
    if (!pictures) return checkTemplateText(text);
    // Relative picture names mean files beside the template.
    std::error_code ignored;
    const auto host = std::filesystem::current_path();
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::current_path(folder, ignored);
    CheckedPictures resources;
    LoadResult result = loadTemplateText(text, resources);
    std::filesystem::current_path(host, ignored);
    if (!result.loaded) return result.error;
    for (const std::string& name : resources.unreadable)
        warnings.push_back("warning: the picture " + name + " cannot be read");
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return kUsageError;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printUsage(stdout);
        return kAllPassed;
    }
    const bool pictures = std::strcmp(argv[1], "--pictures") == 0;
    if (pictures && argc < 3) {
        printUsage(stderr);
        return kUsageError;
    }
    int status = kAllPassed;
    for (int i = pictures ? 2 : 1; i < argc; ++i) {
        std::vector<std::string> warnings;
        const auto error = checkFile(argv[i], pictures, warnings);
        for (const std::string& warning : warnings)
            std::printf("%s: %s\n", argv[i], warning.c_str());
        std::printf("%s: %s\n", argv[i], error ? error->text().c_str() : "OK");
        if (error) status = kSomeFailed;
    }
    return status;
}
