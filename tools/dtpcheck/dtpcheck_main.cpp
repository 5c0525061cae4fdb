// dtpcheck FILE...: lints skin templates as the template library loads them
// (path, extension, reading, parsing and every check) and prints, for each
// file, "FILE: OK" or "FILE: " and the library's error text.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "common/portable/stdio_file.h"
#include "skinui/portable/template_builder.h"

namespace {

using namespace kz8::skinui;

constexpr int kAllPassed = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

void printUsage(std::FILE* to) {
    std::fputs(
        "usage: dtpcheck FILE...\n"
        "Checks each .dtp template as the skinned template library loads it and\n"
        "prints \"FILE: OK\" or \"FILE: \" and the error the library would record\n"
        "(\"ERROR! ID=n LINE=n ...\"). Pictures and cursors are not opened.\n"
        "Exit status: 0 every file passed, 1 some failed, 2 usage error.\n",
        to);
}

std::optional<ParseError> checkFile(const std::string& path) {
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
    return checkTemplateText(text);
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
    int status = kAllPassed;
    for (int i = 1; i < argc; ++i) {
        const auto error = checkFile(argv[i]);
        std::printf("%s: %s\n", argv[i], error ? error->text().c_str() : "OK");
        if (error) status = kSomeFailed;
    }
    return status;
}
