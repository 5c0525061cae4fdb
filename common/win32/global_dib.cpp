#include "common/win32/global_dib.h"

#include <cstring>

namespace kz8 {
inline namespace common {

GlobalMemory copyToGlobal(const std::vector<uint8_t>& bytes) {
    GlobalMemory block = GlobalMemory::allocate(bytes.size(), GMEM_MOVEABLE);
    if (!block) return block;
    GlobalLockGuard lock(block.get());
    if (!lock) return GlobalMemory();
    if (!bytes.empty()) std::memcpy(lock.bytes(), bytes.data(), bytes.size());
    return block;
}

std::optional<DibView> viewDib(const GlobalLockGuard& lock, std::string* error) {
    if (!lock) {
        if (error) *error = "the block could not be locked";
        return std::nullopt;
    }
    return DibView::over(lock.bytes(), lock.size(), error);
}

}  // namespace common
}  // namespace kz8
