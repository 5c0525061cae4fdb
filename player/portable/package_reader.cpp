#include "player/portable/package_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kz8::player {

size_t MemoryPackageSource::readAt(uint64_t offset, void* out, size_t count) {
    if (offset >= size_) return 0;
    size_t n = size_t(std::min<uint64_t>(count, size_ - offset));
    std::memcpy(out, data_ + offset, n);
    return n;
}

static bool readExactly(PackageSource& source, uint64_t offset, uint8_t* out, size_t count) {
    size_t done = 0;
    while (done < count) {
        size_t n = source.readAt(offset + done, out + done, count - done);
        if (n == 0) return false;
        done += n;
    }
    return true;
}

std::optional<CardPackageIndex> readCardPackageIndex(PackageSource& source, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<CardPackageIndex> {
        if (error) *error = why;
        return std::nullopt;
    };
    const uint64_t size = source.size();
    if (size < kCardTrailerSize) return fail("file too short for a card trailer");
    uint8_t trailerBytes[kCardTrailerSize];
    if (!readExactly(source, size - kCardTrailerSize, trailerBytes, kCardTrailerSize))
        return fail("cannot read the card trailer");
    auto trailer = parseCardTrailer(trailerBytes, kCardTrailerSize, error);
    if (!trailer) return std::nullopt;

    if (availableBytes(source, trailer->headerOffset, kCardHeaderBlockSize) < kCardHeaderBlockSize)
        return fail("card header lies past the end of the file");
    uint8_t blockBytes[kCardHeaderBlockSize];
    if (!readExactly(source, trailer->headerOffset, blockBytes, kCardHeaderBlockSize))
        return fail("cannot read the card header");
    auto block = parseCardHeaderBlock(blockBytes, kCardHeaderBlockSize);
    if (!block) return fail("cannot read the card header");
    return CardPackageIndex{*trailer, *block};
}

uint64_t availableBytes(const PackageSource& source, uint64_t offset, uint64_t size) {
    const uint64_t total = source.size();
    if (offset >= total) return 0;
    return std::min(size, total - offset);
}

CopyResult copyPackageBytes(PackageSource& source, uint64_t offset, uint64_t length,
                            PackageSink& sink, size_t chunk) {
    CopyResult result;
    if (chunk == 0) chunk = kPackageCopyChunk;
    std::vector<uint8_t> buffer(chunk);
    while (result.copied < length) {
        size_t want = size_t(std::min<uint64_t>(length - result.copied, chunk));
        size_t got = source.readAt(offset + result.copied, buffer.data(), want);
        if (got == 0) break;  // end of the package or a read error
        if (!sink.write(buffer.data(), got)) {
            result.writeFailed = true;
            break;
        }
        result.copied += got;
    }
    return result;
}

}  // namespace kz8::player
