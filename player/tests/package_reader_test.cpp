// Finding a package in a whole file and copying its parts out: the trailer
// must be the file's last bytes, and a package that lies about its sizes or
// whose file breaks while reading still ends the copy.
#include <gtest/gtest.h>

#include "player/portable/card_writer.h"
#include "player/portable/package_reader.h"

namespace kz8::player {
namespace {

std::vector<uint8_t> filled(size_t size, uint8_t seed) {
    std::vector<uint8_t> out(size);
    for (size_t i = 0; i < size; ++i) out[i] = uint8_t(seed + i * 7);
    return out;
}

struct SmallCard {
    std::vector<uint8_t> player = filled(300, 1), front = filled(50, 2), back = filled(60, 3),
                         video = filled(70, 4), sound = filled(80, 5);
    CardPlan plan;
    std::vector<uint8_t> bytes;

    SmallCard() {
        CardParts parts;
        parts.playerSize = player.size();
        parts.frontSize = front.size();
        parts.backSize = back.size();
        parts.videoSize = video.size();
        parts.videoSuffix = ".avi";
        parts.soundSize = sound.size();
        parts.audioKind = kAudioMp3;
        plan = *planCard(parts);
        bytes = buildCardBytes(plan, player, front, back, video, sound);
    }
};

class VectorSink : public PackageSink {
public:
    bool write(const void* data, size_t count) override {
        auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + count);
        return true;
    }
    std::vector<uint8_t> bytes;
};

TEST(PackageIndex, FindsTheHeaderThroughTheTrailerAtTheEnd) {
    SmallCard card;
    MemoryPackageSource source(card.bytes.data(), card.bytes.size());
    std::string error;
    auto index = readCardPackageIndex(source, &error);
    ASSERT_TRUE(index) << error;
    EXPECT_EQ(index->block.header.videoSuffix, ".avi");
    EXPECT_EQ(index->block.header.audioKind, kAudioMp3);
    EXPECT_EQ(index->block.back.backOffset, 350u);
}

TEST(PackageIndex, RejectsPackagesNotEndingInTheTrailerOrPointingOutside) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    SmallCard card;
    std::vector<uint8_t> signedAfter = card.bytes;
    signedAfter.push_back(0);  // anything after the trailer, e.g. a signature
    std::vector<uint8_t> headerPastEnd = card.bytes;
    headerPastEnd[headerPastEnd.size() - 1] = 0x7F;
    std::vector<uint8_t> headerCut = card.bytes;
    uint32_t lateHeader = uint32_t(headerCut.size() - 10);
    for (int i = 0; i < 4; ++i)
        headerCut[headerCut.size() - 4 + i] = uint8_t(lateHeader >> (8 * i));
    Case cases[] = {
        {"one byte after the trailer", signedAfter},
        {"header offset far past the end", headerPastEnd},
        {"header block running off the end", headerCut},
        {"player without a package", card.player},
        {"empty file", {}},
    };
    for (const Case& c : cases) {
        MemoryPackageSource source(c.bytes.data(), c.bytes.size());
        std::string error;
        EXPECT_FALSE(readCardPackageIndex(source, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name << ": failures must say why";
    }
}

TEST(PackageCopy, CopiesExactlyTheDeclaredRange) {
    SmallCard card;
    MemoryPackageSource source(card.bytes.data(), card.bytes.size());
    VectorSink sink;
    const CardHeader& h = card.plan.block.header;
    CopyResult result = copyPackageBytes(source, h.audioOffset, uint64_t(h.audioSize), sink);
    EXPECT_EQ(sink.bytes, card.sound);
    EXPECT_EQ(result.copied, card.sound.size());
    EXPECT_FALSE(result.writeFailed);
}

TEST(PackageCopy, DeclaredRangesPastTheEndGiveShorterFiles) {
    std::vector<uint8_t> data = filled(3 * kPackageCopyChunk + 17, 9);
    MemoryPackageSource source(data.data(), data.size());
    struct Case {
        const char* name;
        uint64_t offset, length, expected;
    } cases[] = {
        {"runs past the end", data.size() - 100, 5000, 100},
        {"starts past the end", data.size() + 1, 10, 0},
        {"starts at 4 GiB", uint64_t(0xFFFFFFFF), 0x7FFFFFFF, 0},
        {"many chunks", 5, data.size(), data.size() - 5},
        {"nothing", 0, 0, 0},
    };
    for (const Case& c : cases) {
        VectorSink sink;
        CopyResult result = copyPackageBytes(source, c.offset, c.length, sink);
        EXPECT_EQ(result.copied, c.expected) << c.name;
        EXPECT_EQ(sink.bytes.size(), c.expected) << c.name;
        EXPECT_EQ(availableBytes(source, c.offset, c.length), c.expected) << c.name;
    }
}

// A file whose reads fail after a while without reaching the end.
class BreakingSource : public PackageSource {
public:
    uint64_t size() const override { return 1u << 30; }
    size_t readAt(uint64_t, void*, size_t count) override {
        ++reads;
        return reads <= 2 ? count : 0;
    }
    int reads = 0;
};

class FullDisk : public PackageSink {
public:
    bool write(const void*, size_t) override { return ++writes < 3; }
    int writes = 0;
};

TEST(PackageCopy, EndsOnReadErrorsAndWriteErrors) {
    BreakingSource broken;
    VectorSink sink;
    CopyResult result = copyPackageBytes(broken, 0, 1u << 29, sink);
    EXPECT_EQ(result.copied, 2 * kPackageCopyChunk);
    EXPECT_EQ(broken.reads, 3) << "the loop must stop at the first empty read";

    std::vector<uint8_t> data = filled(10 * kPackageCopyChunk, 1);
    MemoryPackageSource source(data.data(), data.size());
    FullDisk disk;
    result = copyPackageBytes(source, 0, data.size(), disk);
    EXPECT_TRUE(result.writeFailed);
    EXPECT_EQ(disk.writes, 3);
}

}  // namespace
}  // namespace kz8::player
