// Reading a card package from any random-access byte source (a file of the
// player, a file of the card packer, bytes in memory), and copying one of
// its parts out. Everything read here came from outside: every offset and
// size is checked against the source's real length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "player/portable/card_package.h"

namespace kz8::player {

// Where package bytes come from.
class PackageSource {
public:
    virtual ~PackageSource() = default;
    virtual uint64_t size() const = 0;
    // Up to `count` bytes at `offset`; fewer at the end, 0 on error.
    virtual size_t readAt(uint64_t offset, void* out, size_t count) = 0;
};

// Where a copied part goes; false when the bytes could not all be written.
class PackageSink {
public:
    virtual ~PackageSink() = default;
    virtual bool write(const void* data, size_t count) = 0;
};

class MemoryPackageSource : public PackageSource {
public:
    MemoryPackageSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    size_t readAt(uint64_t offset, void* out, size_t count) override;

private:
    const uint8_t* data_;
    size_t size_;
};

struct CardPackageIndex {
    CardTrailer trailer;
    CardHeaderBlock block;
};

// The trailer at the exact end, then the header block it points to. Nothing,
// with the reason in *error, when either is missing or wrong.
std::optional<CardPackageIndex> readCardPackageIndex(PackageSource& source,
                                                     std::string* error = nullptr);

// How many of `size` bytes at `offset` the source really holds.
uint64_t availableBytes(const PackageSource& source, uint64_t offset, uint64_t size);

constexpr size_t kPackageCopyChunk = 20480;

struct CopyResult {
    uint64_t copied = 0;
    bool writeFailed = false;
};

// Copies up to `length` bytes from `offset` in chunks of kPackageCopyChunk.
// Stops at the end of the source, on a read that gives nothing (a read
// error) and on a write error, so a short or broken package never loops.
// Tools that copy large parts may choose a larger chunk.
CopyResult copyPackageBytes(PackageSource& source, uint64_t offset, uint64_t length,
                            PackageSink& sink, size_t chunk = kPackageCopyChunk);

}  // namespace kz8::player
