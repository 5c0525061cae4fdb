// Win32 files as package sources and sinks for the player's extraction.
#pragma once

#include <windows.h>

#include "player/portable/package_reader.h"

namespace kz8::player {

class Win32PackageSource : public PackageSource {
public:
    explicit Win32PackageSource(HANDLE file);
    uint64_t size() const override { return size_; }
    size_t readAt(uint64_t offset, void* out, size_t count) override;

private:
    HANDLE file_;
    uint64_t size_ = 0;
};

class Win32PackageSink : public PackageSink {
public:
    explicit Win32PackageSink(HANDLE file) : file_(file) {}
    bool write(const void* data, size_t count) override;

private:
    HANDLE file_;
};

}  // namespace kz8::player
