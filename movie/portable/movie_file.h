// The file a movie is written into: appended to as frames come, with the
// few sizes that are only known at the end patched in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/portable/stdio_file.h"

namespace kz8::movie {

class MovieFile {
public:
    virtual ~MovieFile() = default;
    virtual bool append(const uint8_t* bytes, size_t size) = 0;
    virtual bool overwrite(uint64_t offset, const uint8_t* bytes, size_t size) = 0;
    virtual uint64_t size() const = 0;
    // Everything on disk; false when a write failed on the way.
    virtual bool close() = 0;
};

class StdioMovieFile : public MovieFile {
public:
    // Creates or truncates `path`; check isOpen().
    explicit StdioMovieFile(const std::string& path);
    bool isOpen() const { return static_cast<bool>(file_); }

    bool append(const uint8_t* bytes, size_t size) override;
    bool overwrite(uint64_t offset, const uint8_t* bytes, size_t size) override;
    uint64_t size() const override { return size_; }
    bool close() override;

private:
    UniqueFile file_;
    uint64_t size_ = 0;
    bool failed_ = false;
};

}  // namespace kz8::movie
