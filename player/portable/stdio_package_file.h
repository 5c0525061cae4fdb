// C-library files as package sources and sinks: the card packer and the
// benchmarks use them in every tree.
#pragma once

#include <cstdio>

#include "player/portable/package_reader.h"

namespace kz8::player {

class StdioPackageSource : public PackageSource {
public:
    explicit StdioPackageSource(std::FILE* file);
    uint64_t size() const override { return size_; }
    size_t readAt(uint64_t offset, void* out, size_t count) override;

private:
    std::FILE* file_;
    uint64_t size_ = 0;
    uint64_t position_ = 0;  // saves a seek on every chunk of a sequential copy
    bool positionKnown_ = false;
};

class StdioPackageSink : public PackageSink {
public:
    explicit StdioPackageSink(std::FILE* file) : file_(file) {}
    bool write(const void* data, size_t count) override;

private:
    std::FILE* file_;
};

}  // namespace kz8::player
