#include "player/portable/stdio_package_file.h"

#include <cstdint>

namespace kz8::player {

static bool seekTo(std::FILE* file, uint64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(file, int64_t(offset), whence) == 0;
#else
    return fseeko(file, off_t(offset), whence) == 0;
#endif
}

static int64_t tellOf(std::FILE* file) {
#ifdef _WIN32
    return _ftelli64(file);
#else
    return int64_t(ftello(file));
#endif
}

StdioPackageSource::StdioPackageSource(std::FILE* file) : file_(file) {
    if (file_ && seekTo(file_, 0, SEEK_END)) {
        int64_t end = tellOf(file_);
        if (end > 0) size_ = uint64_t(end);
    }
}

size_t StdioPackageSource::readAt(uint64_t offset, void* out, size_t count) {
    if (!file_ || offset >= size_) return 0;
    if (!positionKnown_ || position_ != offset) {
        if (!seekTo(file_, offset, SEEK_SET)) return 0;
        position_ = offset;
        positionKnown_ = true;
    }
    size_t n = std::fread(out, 1, count, file_);
    position_ += n;
    if (n == 0) positionKnown_ = false;
    return n;
}

bool StdioPackageSink::write(const void* data, size_t count) {
    return std::fwrite(data, 1, count, file_) == count;
}

}  // namespace kz8::player
