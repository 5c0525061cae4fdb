#include "audio/portable/stdio_file_source.h"

#include <cstdio>
#include <limits>

namespace kz8::audio {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

constexpr long kMaxSourceSize = long(std::numeric_limits<int32_t>::max());

class StdioFileSource final : public ByteSource {
public:
    StdioFileSource(FilePtr file, uint32_t size) : file_(std::move(file)), size_(size) {}

    bool read(void* buffer, uint32_t count, uint32_t& got) override {
        got = uint32_t(std::fread(buffer, 1, count, file_.get()));
        return !std::ferror(file_.get());
    }

    bool seek(int32_t offset, SeekOrigin origin, uint32_t& position) override {
        const int whence = origin == SeekOrigin::Start     ? SEEK_SET
                           : origin == SeekOrigin::Current ? SEEK_CUR
                                                           : SEEK_END;
        if (std::fseek(file_.get(), offset, whence) != 0) return false;
        const long at = std::ftell(file_.get());
        if (at < 0) return false;
        position = uint32_t(at);
        return true;
    }

    uint32_t size() const override { return size_; }

private:
    FilePtr file_;
    uint32_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> openStdioFile(const std::string& name) {
    FilePtr file(std::fopen(name.c_str(), "rb"));
    if (!file) return nullptr;
    // Positions are 32-bit in this engine, as on the platform it was made for.
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
    const long size = std::ftell(file.get());
    if (size < 0 || size > kMaxSourceSize || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return nullptr;
    return std::make_unique<StdioFileSource>(std::move(file), uint32_t(size));
}

}  // namespace kz8::audio
