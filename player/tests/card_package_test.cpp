// The package format as the player reads it: the trailer only at the very
// end, the exact version text, the header block's signed fields, and the
// checks that keep a hostile package's numbers from reaching the file system.
#include <gtest/gtest.h>

#include <cstring>

#include "player/portable/card_package.h"
#include "player/portable/card_writer.h"
#include "player/portable/package_reader.h"

namespace kz8::player {
namespace {

std::vector<uint8_t> trailerWithVersion(const uint8_t (&version)[kCardVersionFieldSize]) {
    std::vector<uint8_t> bytes = encodeCardTrailer(CardTrailer{});
    std::memcpy(bytes.data() + 4, version, kCardVersionFieldSize);
    return bytes;
}

TEST(CardTrailer, AcceptsOnlyTheExactVersionText) {
    struct Case {
        const char* name;
        uint8_t version[kCardVersionFieldSize];
        bool accepted;
    } cases[] = {
        {"2.0 then NULs", {'2', '.', '0', 0, 0, 0, 0, 0}, true},
        {"2.0, NUL, junk", {'2', '.', '0', 0, 'x', 0xFF, 7, '!'}, true},
        {"2.00", {'2', '.', '0', '0', 0, 0, 0, 0}, false},
        {"2.0 and a blank", {'2', '.', '0', ' ', 0, 0, 0, 0}, false},
        {"1.0", {'1', '.', '0', 0, 0, 0, 0, 0}, false},
        {"no NUL at all", {'2', '.', '0', 'a', 'b', 'c', 'd', 'e'}, false},
        {"empty", {0, 0, 0, 0, 0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = trailerWithVersion(c.version);
        std::string error;
        EXPECT_EQ(parseCardTrailer(bytes.data(), bytes.size(), &error).has_value(), c.accepted)
            << c.name << ": " << error;
    }
}

TEST(CardTrailer, RejectsWrongMagicAndShortInput) {
    std::vector<uint8_t> bytes = encodeCardTrailer(CardTrailer{});
    ASSERT_EQ(bytes.size(), kCardTrailerSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "AVTP");
    EXPECT_FALSE(parseCardTrailer(bytes.data(), bytes.size() - 1));
    bytes[0] = 'B';
    EXPECT_FALSE(parseCardTrailer(bytes.data(), bytes.size()));
}

TEST(CardHeaderBlock, KeepsSignedFieldsAndReservedBytesThroughARoundTrip) {
    CardHeaderBlock block;
    block.header.frontOffset = 0x01020304;
    block.header.frontSize = 0xFFFFFFF0;
    block.header.videoLeft = -5;
    block.header.videoTop = 32767;
    block.header.videoWidth = -32768;
    block.header.videoHeight = 1;
    block.header.videoSuffix = "12345678901";  // the longest that fits
    block.header.videoSize = -1;
    block.header.audioKind = 2;
    block.header.audioSize = 0;
    block.back = {77, 88};
    for (size_t i = 0; i < block.reserved.size(); ++i) block.reserved[i] = uint8_t(0xA0 + i);

    std::vector<uint8_t> bytes = encodeCardHeaderBlock(block);
    ASSERT_EQ(bytes.size(), 72u);
    EXPECT_EQ(bytes[52], 77) << "the back-picture entry follows the 52-byte header";
    EXPECT_EQ(bytes[60], 0xA0) << "the reserved bytes follow the back-picture entry";
    auto parsed = parseCardHeaderBlock(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    const CardHeader& h = parsed->header;
    EXPECT_EQ(h.frontOffset, 0x01020304u);
    EXPECT_EQ(h.frontSize, 0xFFFFFFF0u);
    EXPECT_EQ(h.videoLeft, -5);
    EXPECT_EQ(h.videoTop, 32767);
    EXPECT_EQ(h.videoWidth, -32768);
    EXPECT_EQ(h.videoSuffix, "12345678901");
    EXPECT_FALSE(h.hasVideo()) << "a negative size means no clip";
    EXPECT_FALSE(h.hasSound()) << "a zero size means no sound";
    EXPECT_EQ(h.audioKind, 2);
    EXPECT_EQ(parsed->back.backSize, 88u);
    EXPECT_EQ(parsed->reserved, block.reserved);
    EXPECT_FALSE(parseCardHeaderBlock(bytes.data(), bytes.size() - 1));
}

TEST(VideoSuffix, KeepsOnlyTheFinalExtension) {
    struct Case {
        const char* suffix;
        const char* extension;  // "" when the clip is dropped
    } cases[] = {
        {".avi", ".avi"},
        {".MPG", ".MPG"},
        {".a", ".a"},
        {"_1.avi", ".avi"},
        {"x.y.mov", ".mov"},
        {".abcdefghij", ".abcdefghij"},
        {"\\..\\evil.avi", ".avi"},
        {"/../x.avi", ".avi"},
        {"C:.avi", ".avi"},
        {".abcdefghijk", ""},
        {"", ""},
        {".", ""},
        {"avi", ""},
        {"..", ""},
        {".av i", ""},
        {".avi.", ""},
        {".a\xe9", ""},
        {"x.avi\\", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(videoExtensionOf(c.suffix), c.extension) << "suffix \"" << c.suffix << "\"";
}

TEST(CardPlan, PlacesPartsInOrderAndRefusesWhatTheFormatCannotHold) {
    CardParts parts;
    parts.playerSize = 1000;
    parts.frontSize = 10;
    parts.backSize = 20;
    parts.videoSize = 30;
    parts.videoSuffix = ".avi";
    parts.soundSize = 40;
    parts.audioKind = kAudioMp3;
    auto plan = planCard(parts);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->block.header.frontOffset, 1000u);
    EXPECT_EQ(plan->block.back.backOffset, 1010u);
    EXPECT_EQ(plan->block.header.videoOffset, 1030u);
    EXPECT_EQ(plan->block.header.audioOffset, 1060u);
    EXPECT_EQ(plan->trailer.headerOffset, 1100u);

    CardParts tooLong = parts;
    tooLong.videoSuffix = ".abcdefghijk";
    std::string error;
    EXPECT_FALSE(planCard(tooLong, &error));
    EXPECT_NE(error.find("11"), std::string::npos) << error;
    CardParts huge = parts;
    huge.videoSize = uint64_t(1) << 31;
    EXPECT_FALSE(planCard(huge)) << "a clip of 2 GiB does not fit a signed size";
    CardParts farOut = parts;
    farOut.playerSize = uint64_t(1) << 32;
    EXPECT_FALSE(planCard(farOut)) << "offsets are 32-bit";
}

}  // namespace
}  // namespace kz8::player
