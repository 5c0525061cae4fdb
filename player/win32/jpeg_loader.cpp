#include "player/win32/jpeg_loader.h"

#include <memory>

#include "common/portable/jpeg_dib.h"
#include "common/win32/handles.h"

namespace kz8::player {

HGLOBAL LoadJpegAsDib(const char* path) {
    if (!path) return nullptr;
    GlobalMemory block;
    std::unique_ptr<GlobalLockGuard> lock;
    // The decoder writes straight into the locked block: no second copy of
    // a picture that may be large.
    DibAllocator allocate = [&](size_t size) -> uint8_t* {
        block = GlobalMemory::allocate(size);
        if (!block) return nullptr;
        lock = std::make_unique<GlobalLockGuard>(block.get());
        return *lock ? lock->bytes() : nullptr;
    };
    JpegInput input;
    input.path = path;
    if (!decodeJpegIntoDib(input, allocate)) return nullptr;
    lock.reset();
    return block.release();
}

}  // namespace kz8::player
