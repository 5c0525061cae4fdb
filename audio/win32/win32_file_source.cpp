#include "audio/win32/win32_file_source.h"

#include "common/win32/handles.h"

namespace kz8::audio {

namespace {

class Win32FileSource final : public ByteSource {
public:
    Win32FileSource(KernelHandle file, uint32_t size) : file_(std::move(file)), size_(size) {}

    bool read(void* buffer, uint32_t count, uint32_t& got) override {
        DWORD done = 0;
        const BOOL ok = ::ReadFile(file_.get(), buffer, count, &done, nullptr);
        got = done;
        return ok != FALSE;
    }

    bool seek(int32_t offset, SeekOrigin origin, uint32_t& position) override {
        const DWORD method = origin == SeekOrigin::Start     ? FILE_BEGIN
                             : origin == SeekOrigin::Current ? FILE_CURRENT
                                                             : FILE_END;
        const DWORD at = ::SetFilePointer(file_.get(), offset, nullptr, method);
        if (at == INVALID_SET_FILE_POINTER) return false;
        position = at;
        return true;
    }

    uint32_t size() const override { return size_; }

private:
    KernelHandle file_;
    uint32_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> openWin32File(const std::string& name) {
    KernelHandle file(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr));
    if (!file) return nullptr;
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE) return nullptr;
    return std::make_unique<Win32FileSource>(std::move(file), size);
}

}  // namespace kz8::audio
