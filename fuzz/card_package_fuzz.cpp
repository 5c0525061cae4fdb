// Any bytes as a card file: the reader must find the package or refuse it,
// and copying every declared part must stay inside the bytes and end.
#include <cstddef>
#include <cstdint>

#include "player/portable/package_reader.h"

namespace {
class CountingSink : public kz8::player::PackageSink {
public:
    bool write(const void*, size_t count) override {
        total += count;
        return true;
    }
    uint64_t total = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kz8::player::MemoryPackageSource source(data, size);
    auto index = kz8::player::readCardPackageIndex(source);
    if (!index) return 0;
    const kz8::player::CardHeader& h = index->block.header;
    const std::string extension = kz8::player::videoExtensionOf(h.videoSuffix);
    if (extension.find_first_of("\\/:") != std::string::npos) __builtin_trap();
    CountingSink sink;
    kz8::player::copyPackageBytes(source, h.frontOffset, h.frontSize, sink);
    kz8::player::copyPackageBytes(source, index->block.back.backOffset, index->block.back.backSize,
                                  sink);
    if (h.hasVideo())
        kz8::player::copyPackageBytes(source, h.videoOffset, uint64_t(h.videoSize), sink);
    if (h.hasSound())
        kz8::player::copyPackageBytes(source, h.audioOffset, uint64_t(h.audioSize), sink);
    if (sink.total > size * 4) __builtin_trap();  // each part lies inside the file
    return 0;
}
