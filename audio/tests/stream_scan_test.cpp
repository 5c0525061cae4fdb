// Finding frames in what real files put around them: tags, junk, runs of
// 0xFF, PCM, and frames that change, end early or cannot be decoded.
#include "audio/tests/mp3_test_streams.h"

#include "audio/portable/engine_error.h"
#include "common/testing/portable/test_files.h"

#include <gtest/gtest.h>

namespace kz8::audio {
namespace {

using namespace testkit;

Bytes cbrFrames(int count, size_t startFill = 1) {
    Bytes out;
    for (int i = 0; i < count; ++i)
        appendFrame(out, cbr128Header(), kCbr128FrameLength, uint8_t(startFill + i));
    return out;
}

TEST(StreamScan, SkipsId3TagsWithoutLookingInside) {
    for (uint32_t tagSize : {100u, 1u << 20}) {
        Bytes data = id3Tag(tagSize);
        // Tag contents that are frame headers, so a scan inside would stop there.
        for (size_t i = 10; i + 8 < data.size(); i += 4) {
            const uint32_t h = cbr128Header();
            for (int b = 0; b < 4; ++b) data[i + b] = uint8_t(h >> (24 - 8 * b));
        }
        const size_t tagEnd = data.size();
        append(data, cbrFrames(3));
        StreamReaderRig rig(data);
        rig.reader.open();
        const std::vector<uint32_t> starts = rig.readAllFrameStarts();
        const std::vector<uint32_t> expected = {uint32_t(tagEnd),
                                                uint32_t(tagEnd + kCbr128FrameLength),
                                                uint32_t(tagEnd + 2 * kCbr128FrameLength)};
        EXPECT_EQ(starts, expected) << "tag of " << tagSize << " bytes";
    }
}

TEST(StreamScan, TagLaterInTheStreamNeverSendsTheReaderBack) {
    // Frames, then a tag whose size would reach back before it if counted
    // from the start of the file: reading must still come to an end.
    Bytes data = cbrFrames(4);
    const size_t tagAt = data.size();
    append(data, id3Tag(16));
    append(data, cbrFrames(2, 9));
    StreamReaderRig rig(data);
    rig.reader.open();
    int calls = 0, frames = 0;
    for (int result; (result = rig.reader.readFrame()) != kEndOfStream && calls < 1000; ++calls)
        frames += result == kFrameRead;
    EXPECT_LT(calls, 1000) << "the reader loops on a tag at " << tagAt;
    EXPECT_EQ(frames, 6);
}

TEST(StreamScan, JunkBeforeTheFirstFrame) {
    struct Case {
        const char* name;
        size_t junk;
        std::vector<int> results;  // of the first calls
        size_t firstFrameAt;
    } cases[] = {
        {"1000 bytes", 1000, {kFrameRead}, 1000},
        {"exactly as many as the scan shifts", kMaxScanShifts, {kFrameRead}, kMaxScanShifts},
        {"200000 bytes: nothing, then the frame", 200000, {kNoFrame, kFrameRead}, 200000},
    };
    for (const Case& c : cases) {
        Bytes data(c.junk, 0x00);
        append(data, cbrFrames(2));
        StreamReaderRig rig(data);
        rig.reader.open();
        for (size_t i = 0; i < c.results.size(); ++i)
            ASSERT_EQ(rig.reader.readFrame(), c.results[i]) << c.name << ", call " << i;
        EXPECT_EQ(rig.stream.pos - kCbr128FrameLength, c.firstFrameAt) << c.name;
        EXPECT_EQ(rig.reader.currentBody()[0], 1) << c.name << ": not the first frame's body";
    }
}

TEST(StreamScan, InputsWithoutFrames) {
    const auto wav = kz8::testkit::readFile(kz8::testkit::fixturePath("mp3reader/pcm-44k.wav"));
    ASSERT_TRUE(wav.has_value()) << "fixture pcm-44k.wav";
    struct Case {
        const char* name;
        Bytes data;
    } cases[] = {
        {"all 0xFF", Bytes(300000, 0xFF)},
        {"RIFF WAVE of silent PCM", *wav},
        {"empty", Bytes()},
    };
    for (const Case& c : cases) {
        StreamReaderRig rig(c.data);
        rig.reader.open();
        int frames = 0, calls = 0, result = 0;
        while ((result = rig.reader.readFrame()) != kEndOfStream && calls < 100) {
            frames += result == kFrameRead;
            ++calls;
        }
        EXPECT_EQ(frames, 0) << c.name;
        EXPECT_EQ(result, kEndOfStream) << c.name;
    }
}

TEST(StreamScan, RiffHeaderBeforeMpegDataIsJunk) {
    const auto wav = kz8::testkit::readFile(kz8::testkit::fixturePath("mp3reader/pcm-44k.wav"));
    ASSERT_TRUE(wav.has_value()) << "fixture pcm-44k.wav";
    constexpr size_t kWavHeader = 44;  // RIFF, WAVE, "fmt " and "data" chunk headers
    Bytes data(wav->begin(), wav->begin() + kWavHeader);
    append(data, cbrFrames(2));
    StreamReaderRig rig(data);
    rig.reader.open();
    EXPECT_EQ(rig.readAllFrameStarts(),
              (std::vector<uint32_t>{kWavHeader, kWavHeader + kCbr128FrameLength}));
}

TEST(StreamScan, HeaderChangedOnlyWhenTheWordChanges) {
    Bytes data = cbrFrames(3);
    appendFrame(data, cbr128Header(1), kCbr128FrameLength + 1, 9);
    StreamReaderRig rig(data);
    rig.reader.open();
    const int expectedChanged[] = {1, 0, 0, 1};
    const int expectedBody[] = {413, 413, 413, 414};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(rig.reader.readFrame(), kFrameRead) << "frame " << i;
        EXPECT_EQ(rig.reader.header().headerChanged, expectedChanged[i]) << "frame " << i;
        EXPECT_EQ(rig.reader.header().bodySize, expectedBody[i]) << "frame " << i;
    }
    EXPECT_EQ(rig.reader.readFrame(), kEndOfStream);
}

TEST(StreamScan, ResyncKeepsTheFirstVersionTooSoAForeignHeaderIsSizedAsThisStream) {
    // An MPEG-2 header met inside MPEG-1 data (a false sync after a seek):
    // its bitrate index read in the MPEG-1 table at the kept 44.1 kHz.
    HeaderFields foreign{kMpeg2, 2, 4, 0, 0, 0};
    Bytes data = cbrFrames(2);
    appendFrame(data, headerWord(foreign), 300, 5);
    StreamReaderRig rig(data);
    rig.reader.open();
    for (int frame = 0; frame < 3; ++frame) ASSERT_EQ(rig.reader.readFrame(), kFrameRead);
    EXPECT_EQ(rig.reader.header().isLsf, 0);
    EXPECT_EQ(rig.reader.header().isMpeg25, 0);
    EXPECT_EQ(rig.reader.header().bodySize, 56 * 144000 / 44100 - 4);
    // Taking its version alone gave a 48-byte body here, and an estimate of
    // the whole file several times too long, so seeks far past the end were
    // accepted.
    EXPECT_EQ(rig.reader.estimatedFrameCount(), uint32_t(data.size()) / (178 + 5));
}

TEST(StreamScan, ResyncKeepsTheFirstLayerAndRate) {
    // A second header that claims Layer II at 48 kHz.
    HeaderFields other;
    other.layer = 2;
    other.rateBits = 1;
    other.bitrateIndex = 10;
    struct Case {
        uint8_t resync;
        int layer, rateIndex;
    } cases[] = {{1, 3, 0}, {0, 2, 1}};
    for (const Case& c : cases) {
        Bytes data = cbrFrames(2);
        appendFrame(data, headerWord(other), 1200, 2);
        StreamReaderRig rig(data);
        rig.params.resync = c.resync;
        rig.reader.open();
        for (int frame = 0; frame < 3; ++frame)
            ASSERT_EQ(rig.reader.readFrame(), kFrameRead) << "resync " << int(c.resync);
        EXPECT_EQ(rig.reader.header().layer, c.layer) << "resync " << int(c.resync);
        EXPECT_EQ(rig.reader.header().rateIndex, c.rateIndex) << "resync " << int(c.resync);
        EXPECT_EQ(rig.reader.header().bitrateIndex, 10) << "resync " << int(c.resync);
        EXPECT_EQ(rig.reader.firstHeader(), cbr128Header());
    }
}

TEST(StreamScan, ShortLastFrameIsPaddedWithZeros) {
    Bytes data = cbrFrames(1);
    appendFrame(data, cbr128Header(), 4 + 100, 0x11);
    StreamReaderRig rig(data);
    rig.reader.open();
    ASSERT_EQ(rig.reader.readFrame(), kFrameRead);
    ASSERT_EQ(rig.reader.readFrame(), kFrameRead) << "a short frame is still a frame";
    const uint8_t* body = rig.reader.currentBody();
    EXPECT_EQ(body[99], 0x11);
    for (int i = 100; i < 413; ++i) ASSERT_EQ(body[i], 0) << "byte " << i << " of the short body";
    EXPECT_EQ(rig.reader.readFrame(), kEndOfStream);
}

TEST(StreamScan, UndecodableFramesAreSkipped) {
    HeaderFields freeFormat;
    freeFormat.bitrateIndex = 0;
    HeaderFields largest{kMpeg25, 2, 14, 2, 1, 0};  // 2881-byte frames, the largest legal
    HeaderFields mixed{kMpeg1, 2, 14, 0, 0, 0};     // read at the kept MPEG-2.5 8 kHz

    Bytes freeData;
    for (int i = 0; i < 3; ++i) appendFrame(freeData, headerWord(freeFormat), 600, 0);
    const size_t firstGood = freeData.size();
    append(freeData, cbrFrames(2));
    StreamReaderRig freeRig(freeData);
    freeRig.reader.open();
    takeEngineError();
    EXPECT_EQ(
        freeRig.readAllFrameStarts(),
        (std::vector<uint32_t>{uint32_t(firstGood), uint32_t(firstGood + kCbr128FrameLength)}))
        << "free format";
    EXPECT_EQ(takeEngineError(), kErrorStream) << "free format";

    Bytes bigData;
    for (int i = 0; i < 2; ++i) appendFrame(bigData, headerWord(largest), 2881, 0x22);
    appendFrame(bigData, headerWord(mixed), 7000, 0x33);
    StreamReaderRig bigRig(bigData);
    bigRig.reader.open();
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(bigRig.reader.readFrame(), kFrameRead) << "largest legal frame";
        EXPECT_EQ(bigRig.reader.currentBody()[kMaxBodySize - 1], 0x22) << "largest legal frame";
    }
    // An MPEG-1 bitrate at an lsf rate would describe a 6908-byte body no
    // buffer holds; the kept version gives the stream's own 160 kbit/s.
    ASSERT_EQ(bigRig.reader.readFrame(), kFrameRead) << "header of the other version";
    EXPECT_EQ(bigRig.reader.header().bodySize, 2876);
}

}  // namespace
}  // namespace kz8::audio
