#include "movie/win32/movie_source_reader.h"

#include <cstdio>
#include <vector>

#include "common/portable/stdio_file.h"
#include "movie/portable/fourcc_scan.h"

namespace kz8::movie {

namespace {

constexpr size_t kLongestPath = 260;
constexpr size_t kScannedBytes = 1024;

std::wstring widePath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(size_t(length) - 1);
    return wide;
}

}  // namespace

bool storesRawVideo(const std::string& path) {
    UniqueFile file = openFile(path, "rb");
    if (!file) return false;
    std::vector<uint8_t> start(kScannedBytes);
    start.resize(std::fread(start.data(), 1, start.size(), file.get()));
    return hasRawVideoCode(start.data(), start.size());
}

std::unique_ptr<MovieSourceReader> MovieSourceReader::open(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (wide.empty() || wide.size() > kLongestPath) return nullptr;
    auto reader = std::make_unique<MovieSourceReader>();
    if (!reader->video_.open(wide, storesRawVideo(path))) return nullptr;
    reader->hasSound_ = reader->sound_.open(wide);
    return reader;
}

}  // namespace kz8::movie
