// Seeking by time on a constant-bitrate stream, and the bit reader over the
// two frame buffers, checked against a plain bit-at-a-time reading.
#include "audio/tests/mp3_test_streams.h"

#include <gtest/gtest.h>

#include <random>

namespace kz8::audio {
namespace {

using namespace testkit;

constexpr int kFrames = 100;  // 100 × 417 bytes: 99 frames by the estimate

Bytes numberedFrames() {
    Bytes out;
    for (int i = 0; i < kFrames; ++i)
        appendFrame(out, cbr128Header(), kCbr128FrameLength, uint8_t(i));
    return out;
}

TEST(SeekToTime, LandsOnTheFirstFrameFromBodySizeTimesIndex) {
    // Target index n = ms / 26.1224...; the read goes on from 413 × n to the
    // next frame start.
    struct Case {
        uint32_t ms;
        uint32_t n;
        int frame;
    } cases[] = {{0, 0, 0}, {1000, 38, 38}, {2000, 76, 76}, {2600, 99, 99}};
    for (const Case& c : cases) {
        StreamReaderRig rig(numberedFrames());
        rig.reader.open();
        ASSERT_EQ(rig.reader.readFrame(), kFrameRead);
        ASSERT_TRUE(rig.reader.seekToTime(c.ms)) << c.ms << " ms";
        EXPECT_EQ(rig.params.frameCounter, c.n + 1) << c.ms << " ms";
        EXPECT_EQ(rig.reader.currentBody()[0], c.frame) << c.ms << " ms: wrong frame";
        EXPECT_EQ(rig.reader.currentTime(), int32_t(26.12244987487793 * (c.n + 1)))
            << c.ms << " ms";
    }
}

TEST(SeekToTime, FailuresLeaveThePositionAndCounter) {
    struct Case {
        const char* name;
        uint32_t ms;
        bool moveThenFail;  // the stream moves before it reports the failed seek
    } cases[] = {{"beyond the estimated end", 2700, false}, {"seek fails", 1000, true}};
    for (const Case& c : cases) {
        StreamReaderRig rig(numberedFrames());
        rig.reader.open();
        ASSERT_EQ(rig.reader.readFrame(), kFrameRead);
        rig.params.frameCounter = 1;
        rig.stream.moveThenFailSeek = c.moveThenFail;
        ASSERT_FALSE(rig.reader.seekToTime(c.ms)) << c.name;
        EXPECT_EQ(rig.stream.pos, kCbr128FrameLength) << c.name;
        EXPECT_EQ(rig.params.frameCounter, 1u) << c.name;
        ASSERT_EQ(rig.reader.readFrame(), kFrameRead) << c.name;
        EXPECT_EQ(rig.reader.currentBody()[0], 1) << c.name << ": reading did not go on in order";
    }
}

// A plain reading of bits, one at a time, most significant first.
struct NaiveBits {
    const Bytes& bytes;
    size_t bit = 0;
    uint32_t take(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++bit) {
            const size_t byte = bit / 8;
            const uint32_t b = byte < bytes.size() ? (bytes[byte] >> (7 - bit % 8)) & 1u : 0u;
            value = (value << 1) | b;
        }
        return value;
    }
};

TEST(BitReaderTest, MatchesAPlainBitReadingAndReadsZerosPastTheEnd) {
    std::mt19937 random(4);
    Bytes bytes(64);
    for (uint8_t& b : bytes) b = uint8_t(random());
    BitReader bits;
    bits.reset(bytes.data(), bytes.size(), 0);
    NaiveBits naive{bytes};
    // Far enough to run past the end.
    for (int step = 0; step < 120; ++step) {
        const int kind = int(random() % 3);
        uint32_t got = 0, want = 0;
        if (kind == 0) {
            const int n = int(random() % 17);
            got = bits.getBits(n);
            want = naive.take(n);
        } else if (kind == 1) {
            const int n = int(random() % 9);
            got = bits.getBitsFast(n);
            want = naive.take(n);
        } else {
            got = bits.get1Bit();
            want = naive.take(1);
        }
        ASSERT_EQ(got, want) << "step " << step << ", kind " << kind << ", bit " << naive.bit;
    }
}

TEST(BitReaderTest, SetPointerJoinsThePreviousBodyTailToTheMainData) {
    Bytes data;
    appendFrame(data, cbr128Header(), kCbr128FrameLength, 0xA1);
    appendFrame(data, cbr128Header(), kCbr128FrameLength, 0xB2);
    data[kCbr128FrameLength - 1] = 0xAF;       // last byte of the first body
    data[kCbr128FrameLength + 4 + 32] = 0xB0;  // first main-data byte of the second
    StreamReaderRig rig(data);
    rig.reader.open();

    ASSERT_EQ(rig.reader.readFrame(), kFrameRead);
    rig.reader.setPointer(100);  // nothing before the first frame
    EXPECT_EQ(rig.reader.bits().bytePosition(), size_t(kReservoirSize + 32)) << "first frame";

    ASSERT_EQ(rig.reader.readFrame(), kFrameRead);
    rig.reader.setPointer(3);
    EXPECT_EQ(rig.reader.getBits(16), 0xA1A1u);
    EXPECT_EQ(rig.reader.getBitsFast(8), 0xAFu);
    EXPECT_EQ(rig.reader.getBits(8), 0xB0u) << "main data does not follow the reservoir";

    // The largest backstep the format allows: more than the previous body
    // holds, so part of it comes from that buffer's own reservoir room.
    rig.reader.setPointer(511);
    EXPECT_EQ(rig.reader.bits().bytePosition(), size_t(kReservoirSize + 32 - 511));
}

}  // namespace
}  // namespace kz8::audio
