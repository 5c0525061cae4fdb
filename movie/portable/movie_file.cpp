#include "movie/portable/movie_file.h"

#include <limits>

namespace kz8::movie {

StdioMovieFile::StdioMovieFile(const std::string& path) : file_(openFile(path, "wb")) {}

bool StdioMovieFile::append(const uint8_t* bytes, size_t size) {
    if (!file_ || failed_) return false;
    if (std::fseek(file_.get(), 0, SEEK_END) != 0 ||
        std::fwrite(bytes, 1, size, file_.get()) != size) {
        failed_ = true;
        return false;
    }
    size_ += size;
    return true;
}

// Only ever below 4 GiB: the movie's offsets are 32 bits.
bool StdioMovieFile::overwrite(uint64_t offset, const uint8_t* bytes, size_t size) {
    if (!file_ || failed_ || offset + size > size_ ||
        offset > uint64_t(std::numeric_limits<long>::max())) {
        return false;
    }
    if (std::fseek(file_.get(), long(offset), SEEK_SET) != 0 ||
        std::fwrite(bytes, 1, size, file_.get()) != size) {
        failed_ = true;
        return false;
    }
    return true;
}

bool StdioMovieFile::close() {
    if (!file_) return false;
    const bool closed = std::fclose(file_.release()) == 0;
    return closed && !failed_;
}

}  // namespace kz8::movie
