#include "player/win32/win32_package_file.h"

#include <algorithm>
#include <limits>

namespace kz8::player {

Win32PackageSource::Win32PackageSource(HANDLE file) : file_(file) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file_, &size) && size.QuadPart > 0) size_ = uint64_t(size.QuadPart);
}

size_t Win32PackageSource::readAt(uint64_t offset, void* out, size_t count) {
    if (offset >= size_) return 0;
    LARGE_INTEGER position{};
    position.QuadPart = LONGLONG(offset);
    if (!SetFilePointerEx(file_, position, nullptr, FILE_BEGIN)) return 0;
    DWORD want = DWORD(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
    DWORD got = 0;
    if (!ReadFile(file_, out, want, &got, nullptr)) return 0;
    return got;
}

bool Win32PackageSink::write(const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (count > 0) {
        DWORD chunk = DWORD(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!WriteFile(file_, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

}  // namespace kz8::player
