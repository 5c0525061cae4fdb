// Header words against the published MPEG audio tables: which words may be
// headers, and what a decoded header says about its frame.
#include "audio/portable/frame_header.h"
#include "audio/portable/vbr_header.h"

#include "audio/tests/mp3_test_streams.h"

#include <gtest/gtest.h>

namespace kz8::audio {
namespace {

using testkit::HeaderFields;
using testkit::headerWord;
using testkit::kMpeg1;
using testkit::kMpeg2;
using testkit::kMpeg25;

TEST(FrameHeader, ValidityCheck) {
    struct Case {
        const char* name;
        uint32_t word;
        bool valid;
    } cases[] = {
        {"MPEG-1 Layer III 128k", 0xFFFB9064u, true},
        {"MPEG-2.5 Layer III", 0xFFE38064u, true},
        {"Layer I with CRC", 0xFFFE4004u, true},
        {"free format is a header word", 0xFFFB0064u, true},
        {"sync bits missing", 0xFFDB9064u, false},
        {"sixteen one bits (Layer I without CRC)", 0xFFFF9064u, false},
        {"run of 0xFF", 0xFFFFFFFFu, false},
        {"layer bits 0", 0xFFF99064u, false},
        {"bitrate index 15", 0xFFFBF064u, false},
        {"reserved sampling rate", 0xFFFB9C64u, false},
        {"zero", 0u, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidHeaderWord(c.word), c.valid) << c.name << std::hex << " 0x" << c.word;
}

struct DecodeCase {
    const char* name;
    HeaderFields fields;
    int layer, isLsf, isMpeg25, rateIndex, channels;
    int bodySize, sideInfoSize, jointBound, subbandLimit;
};

TEST(FrameHeader, DecodesFrameLengthAndLayout) {
    // bodySize: frame length from the standard's formulas, less the 4 header bytes.
    const DecodeCase cases[] = {
        {"L3 128k 44.1k", {kMpeg1, 3, 9, 0, 0, 0}, 3, 0, 0, 0, 2, 413, 32, 0, 0},
        {"L3 128k 44.1k padded", {kMpeg1, 3, 9, 0, 1, 0}, 3, 0, 0, 0, 2, 414, 32, 0, 0},
        {"L3 mono with CRC", {kMpeg1, 3, 9, 0, 0, 3, true}, 3, 0, 0, 0, 1, 413, 19, 0, 0},
        {"L3 320k 32k", {kMpeg1, 3, 14, 2, 1, 1}, 3, 0, 0, 2, 2, 1437, 32, 0, 0},
        {"MPEG-2 L3 64k 22.05k", {kMpeg2, 3, 8, 0, 0, 0}, 3, 1, 0, 3, 2, 204, 17, 0, 0},
        {"MPEG-2 L3 mono 24k", {kMpeg2, 3, 8, 1, 0, 3}, 3, 1, 0, 4, 1, 188, 9, 0, 0},
        {"MPEG-2.5 L3 32k 8k", {kMpeg25, 3, 4, 2, 0, 0}, 3, 1, 1, 8, 2, 284, 17, 0, 0},
        {"MPEG-2.5 L3 11.025k", {kMpeg25, 3, 4, 0, 0, 0}, 3, 1, 1, 6, 2, 204, 17, 0, 0},
        {"L2 192k 44.1k: table of 30", {kMpeg1, 2, 10, 0, 0, 0}, 2, 0, 0, 0, 2, 622, 0, 30, 30},
        {"L2 96k 48k stereo: table of 8", {kMpeg1, 2, 6, 1, 0, 0}, 2, 0, 0, 1, 2, 284, 0, 8, 8},
        {"L2 64k 32k stereo: table of 12", {kMpeg1, 2, 4, 2, 0, 0}, 2, 0, 0, 2, 2, 284, 0, 12, 12},
        {"L2 384k 48k: table of 27", {kMpeg1, 2, 14, 1, 0, 0}, 2, 0, 0, 1, 2, 1148, 0, 27, 27},
        {"L2 64k 44.1k mono: table of 27", {kMpeg1, 2, 4, 0, 0, 3}, 2, 0, 0, 0, 1, 204, 0, 27, 27},
        {"L2 joint stereo bound",
         {kMpeg1, 2, 10, 0, 0, 1, false, 2},
         2,
         0,
         0,
         0,
         2,
         622,
         0,
         12,
         30},
        {"MPEG-2 L2 64k 22.05k", {kMpeg2, 2, 8, 0, 0, 0}, 2, 1, 0, 3, 2, 413, 0, 30, 30},
        {"L1 128k 44.1k CRC", {kMpeg1, 1, 4, 0, 0, 0, true}, 1, 0, 0, 0, 2, 132, 0, 32, 0},
        {"L1 joint stereo bound", {kMpeg1, 1, 4, 1, 0, 1, false, 3}, 1, 0, 0, 1, 2, 124, 0, 16, 0},
        {"largest legal frame: MPEG-2.5 L2 160k 8k padded",
         {kMpeg25, 2, 14, 2, 1, 0},
         2,
         1,
         1,
         8,
         2,
         kMaxBodySize,
         0,
         30,
         30},
    };
    for (const DecodeCase& c : cases) {
        FrameHeader hd;
        ASSERT_TRUE(decodeHeader(headerWord(c.fields), false, hd)) << c.name;
        EXPECT_EQ(hd.layer, c.layer) << c.name;
        EXPECT_EQ(hd.isLsf, c.isLsf) << c.name;
        EXPECT_EQ(hd.isMpeg25, c.isMpeg25) << c.name;
        EXPECT_EQ(hd.rateIndex, c.rateIndex) << c.name;
        EXPECT_EQ(hd.channels, c.channels) << c.name;
        EXPECT_EQ(hd.bodySize, c.bodySize) << c.name;
        EXPECT_EQ(hd.sideInfoSize, c.sideInfoSize) << c.name;
        EXPECT_EQ(hd.jointBound, c.jointBound) << c.name;
        EXPECT_EQ(hd.subbandLimit, c.subbandLimit) << c.name;
        EXPECT_EQ(hd.hasCrc, c.fields.crc ? 1 : 0) << c.name;
    }
}

TEST(FrameHeader, RefusesFreeFormatAndKeepsLengthsWithinTheBuffers) {
    FrameHeader hd;
    HeaderFields freeFormat;
    freeFormat.bitrateIndex = 0;
    EXPECT_FALSE(decodeHeader(headerWord(freeFormat), false, hd)) << "free format";

    // Layer II at 8 kHz kept from an earlier header, then a header of MPEG-1:
    // its 384 kbit/s at 8 kHz would need a 6908-byte body. The kept version
    // reads the index as MPEG-2.5's 160 kbit/s, the largest legal frame.
    HeaderFields first{kMpeg25, 2, 8, 2, 0, 0};
    ASSERT_TRUE(decodeHeader(headerWord(first), false, hd));
    HeaderFields mixed{kMpeg1, 2, 14, 0, 0, 0};
    ASSERT_TRUE(decodeHeader(headerWord(mixed), true, hd));
    EXPECT_EQ(hd.bodySize, 2876);
    EXPECT_LE(hd.bodySize, kMaxBodySize);
    EXPECT_EQ(hd.rateIndex, 8);
    EXPECT_EQ(hd.isMpeg25, 1);
}

TEST(FrameHeader, TimePerFrameFollowsTheLayersSampleCountAndTheRate) {
    // Samples per frame by [layer - 1][rate index], the MPEG-1 rates first.
    const double samples[3][kRateCount] = {{384, 384, 384, 384, 384, 384, 384, 384, 384},
                                           {1152, 1152, 1152, 1152, 1152, 1152, 1152, 1152, 1152},
                                           {1152, 1152, 1152, 576, 576, 576, 576, 576, 576}};
    for (int layer = 1; layer <= 3; ++layer)
        for (int i = 0; i < kRateCount; ++i)
            EXPECT_NEAR(timePerFrameMs(i, layer),
                        samples[layer - 1][i] * 1000.0 / kSamplingRates[i], 1e-5)
                << "layer " << layer << ", rate index " << i;
    // Layer III keeps the values the engine has always used.
    EXPECT_EQ(timePerFrameMs(0, 3), 26.12244987487793);
    EXPECT_EQ(timePerFrameMs(3, 3), 26.12244987487793);
    EXPECT_EQ(timePerFrameMs(8, 3), 72.0);
    EXPECT_EQ(timePerFrameMs(7, 3), 48.0);
    EXPECT_EQ(timePerFrameMs(kRateCount, 3), 0.0);
    EXPECT_EQ(timePerFrameMs(0, 4), 0.0);
}

TEST(VbrHeader, FrameCountFromXingInfoOrVbriInTheFirstBody) {
    // What lame, ffmpeg and Fraunhofer encoders put in the first frame; the
    // bodies are otherwise zero. Offsets count from the end of the header.
    auto body = [](size_t at, const char* tag, std::vector<uint8_t> after) {
        std::vector<uint8_t> b(400, 0);
        std::copy(tag, tag + 4, b.begin() + long(at));
        std::copy(after.begin(), after.end(), b.begin() + long(at) + 4);
        return b;
    };
    auto cut = [](std::vector<uint8_t> b, size_t size) {
        b.resize(size);
        return b;
    };
    const std::vector<uint8_t> xingFlagsAndCount = {0, 0, 0, 0x0F, 0, 0, 0x01, 0x2C};  // 300
    struct Case {
        const char* name;
        int32_t sideInfoSize;
        int32_t layer;
        std::vector<uint8_t> body;
        uint32_t frames;
    } cases[] = {
        {"Xing, stereo", 32, 3, body(32, "Xing", xingFlagsAndCount), 300},
        {"Info, mono", 17, 3, body(17, "Info", xingFlagsAndCount), 300},
        {"Xing after a CRC", 34, 3, body(34, "Xing", xingFlagsAndCount), 300},
        {"Xing without the frames flag", 32, 3, body(32, "Xing", {0, 0, 0, 0x0E, 0, 0, 1, 0}), 0},
        {"Xing at the wrong place", 17, 3, body(32, "Xing", xingFlagsAndCount), 0},
        {"VBRI", 32, 3, body(32, "VBRI", {0, 1, 0, 0, 0, 75, 0, 1, 0, 0, 0, 0, 0x03, 0xE8}), 1000},
        {"Layer II bytes that spell Xing", 32, 2, body(32, "Xing", xingFlagsAndCount), 0},
        {"a body too short for the count", 32, 3, cut(body(32, "Xing", xingFlagsAndCount), 42), 0},
    };
    for (const Case& c : cases) {
        FrameHeader header;
        header.layer = c.layer;
        header.sideInfoSize = c.sideInfoSize;
        EXPECT_EQ(taggedFrameCount(header, c.body.data(), int32_t(c.body.size())), c.frames)
            << c.name;
    }
}

}  // namespace
}  // namespace kz8::audio
