// The decoder against mpg123's own decode of the same streams, frame by frame
// through our reader, and the blocks it hands over.
#include "audio/portable/frame_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/portable/engine_error.h"
#include "audio/tests/mp3_test_streams.h"
#include "common/testing/portable/test_files.h"

namespace kz8::audio {
namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::readFile;

// Keeps every block it is given.
struct BlockRecorder : BlockOutput {
    std::vector<std::vector<uint8_t>> blocks;
    int32_t writeBlock(const uint8_t* data, uint32_t length) override {
        blocks.emplace_back(data, data + length);
        return int32_t(length);
    }
    std::vector<uint8_t> all() const {
        std::vector<uint8_t> out;
        for (const auto& b : blocks) out.insert(out.end(), b.begin(), b.end());
        return out;
    }
};

// Decodes a whole fixture through reader and decoder; calls beforeFrame(n)
// before the n-th frame so tests can change settings mid-stream.
template <typename Hook>
BlockRecorder decodeFile(const std::string& name, const DecoderSettings& settings,
                         Hook beforeFrame) {
    PlaybackParams params;
    params.fileName = fixturePath("decoder/" + name);
    Mp3StreamReader reader(params);
    reader.open();
    FrameDecoder decoder;
    decoder.prepare(settings);
    BlockRecorder recorder;
    int frames = 0;
    for (int result; (result = reader.readFrame()) != kEndOfStream;) {
        if (result != kFrameRead) continue;
        beforeFrame(frames++, decoder);
        decoder.decodeFrame(reader, recorder);
    }
    decoder.flushBlock(recorder);
    return recorder;
}

BlockRecorder decodeFile(const std::string& name, const DecoderSettings& settings) {
    return decodeFile(name, settings, [](int, FrameDecoder&) {});
}

std::vector<int16_t> samples(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = int16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return out;
}

TEST(FrameDecoder, MatchesReferenceDecodeOfEachKind) {
    struct Case {
        const char* file;
        const char* reference;
        int32_t downSample;
    } cases[] = {
        {"l3-44k-vbr.mp3", "l3-44k-vbr.mp3.raw", 0},
        {"l3-48k.mp3", "l3-48k.mp3.raw", 0},
        {"l3-48k.mp3", "l3-48k.mp3.half.raw", 1},
        {"l2-44k.mp2", "l2-44k.mp2.raw", 0},
    };
    for (const Case& c : cases) {
        DecoderSettings settings;
        settings.downSample = c.downSample;
        std::vector<uint8_t> ours = decodeFile(c.file, settings).all();
        auto reference = readFile(fixturePath(std::string("decoder/") + c.reference));
        ASSERT_TRUE(reference) << c.reference;
        EXPECT_EQ(ours.size(), reference->size()) << c.reference;
        EXPECT_TRUE(ours == *reference) << c.reference << ": PCM differs from mpg123";
    }
}

TEST(FrameDecoder, MonoStreamFillsBothSlotsUnlessForcedMono) {
    auto reference = readFile(fixturePath("decoder/l3-44k-mono.mp3.raw"));
    ASSERT_TRUE(reference);
    std::vector<int16_t> mono = samples(*reference);

    std::vector<int16_t> stereo = samples(decodeFile("l3-44k-mono.mp3", {}).all());
    ASSERT_EQ(stereo.size(), mono.size() * 2);
    for (size_t i = 0; i < mono.size(); ++i) {
        ASSERT_EQ(stereo[2 * i], mono[i]) << "left of sample " << i;
        ASSERT_EQ(stereo[2 * i + 1], mono[i]) << "right of sample " << i;
    }

    DecoderSettings forced;
    forced.forceMono = true;
    forced.channelSelect = kMixChannels;
    EXPECT_EQ(samples(decodeFile("l3-44k-mono.mp3", forced).all()), mono);
}

TEST(FrameDecoder, BlocksAreHandedOverAsTheyFill) {
    struct Case {
        int32_t blockSize;
        int32_t downSample;
        uint32_t stepBytes;
    } cases[] = {{16384, 0, 128}, {16384, 1, 64}, {5000, 0, 128}, {4096, 2, 32}};
    for (const Case& c : cases) {
        DecoderSettings settings;
        settings.blockSize = c.blockSize;
        settings.downSample = c.downSample;
        BlockRecorder recorder = decodeFile("l3-48k.mp3", settings);
        ASSERT_GT(recorder.blocks.size(), 2u);
        for (size_t i = 0; i + 1 < recorder.blocks.size(); ++i) {
            size_t size = recorder.blocks[i].size();
            EXPECT_GE(size, size_t(c.blockSize)) << "block " << i << " of size " << c.blockSize;
            EXPECT_LT(size, size_t(c.blockSize) + c.stepBytes) << "block " << i;
            EXPECT_EQ(size % c.stepBytes, 0u) << "blocks end on whole synthesis steps";
        }
        EXPECT_LE(recorder.blocks.back().size(), size_t(c.blockSize) + 127);
    }
}

TEST(FrameDecoder, RaisedOutputScaleClipsWithoutWrapping) {
    std::vector<int16_t> normal = samples(decodeFile("l3-44k-loud.mp3", {}).all());
    DecoderSettings doubled;
    doubled.outputScale = 2 * kFullOutputScale;
    std::vector<int16_t> loud = samples(decodeFile("l3-44k-loud.mp3", doubled).all());
    ASSERT_EQ(loud.size(), normal.size());
    int clippedHigh = 0, clippedLow = 0;
    for (size_t i = 0; i < loud.size(); ++i) {
        if (std::abs(normal[i]) > 2000) {
            ASSERT_EQ(loud[i] > 0, normal[i] > 0) << "sample " << i << " wrapped around";
        }
        clippedHigh += loud[i] == 32767;
        clippedLow += loud[i] == -32768;
    }
    EXPECT_GT(clippedHigh, 100);
    EXPECT_GT(clippedLow, 100);
}

TEST(FrameDecoder, OutputScaleChangeTakesEffectFromTheNextFrame) {
    std::vector<int16_t> full = samples(decodeFile("l3-44k-vbr.mp3", {}).all());
    const int switchFrame = 20;
    std::vector<int16_t> switched =
        samples(decodeFile("l3-44k-vbr.mp3", {}, [&](int frame, FrameDecoder& decoder) {
                    if (frame == switchFrame) decoder.setOutputScale(kFullOutputScale / 2);
                }).all());
    ASSERT_EQ(switched.size(), full.size());
    // The info frame gives no PCM, so frame 20 starts 19 frames of samples in.
    size_t boundary = size_t(switchFrame - 1) * 1152 * 2;
    for (size_t i = 0; i < boundary; ++i) ASSERT_EQ(switched[i], full[i]) << "sample " << i;
    int halved = 0, checked = 0;
    for (size_t i = boundary; i < boundary + 2000; ++i) {
        if (std::abs(full[i]) < 200) continue;
        ++checked;
        halved += std::abs(switched[i] - full[i] / 2) <= 2;
    }
    EXPECT_GT(checked, 500);
    EXPECT_GE(halved * 10, checked * 9) << "the new scale did not apply at once";
}

TEST(FrameDecoder, EightBitOutputIsUnsignedAndHalfTheSize) {
    std::vector<uint8_t> sixteen = decodeFile("l3-44k-vbr.mp3", {}).all();
    DecoderSettings eight;
    eight.eightBit = true;
    std::vector<uint8_t> bytes = decodeFile("l3-44k-vbr.mp3", eight).all();
    ASSERT_EQ(bytes.size() * 2, sixteen.size());
    std::vector<int16_t> wide = samples(sixteen);
    for (size_t i = 0; i < bytes.size(); i += 97)
        EXPECT_NEAR(int(bytes[i]) - 128, wide[i] / 256, 1) << "sample " << i;
}

TEST(FrameDecoder, EqualizerGainShapesTheSound) {
    std::vector<int16_t> flat = samples(decodeFile("l3-44k-vbr.mp3", {}).all());
    std::vector<int16_t> muted =
        samples(decodeFile("l3-44k-vbr.mp3", {}, [](int frame, FrameDecoder& decoder) {
                    if (frame == 0)
                        for (int band = 0; band < kEqualizerBands; ++band) {
                            decoder.setEqualizer(0, band, 0.0);
                            decoder.setEqualizer(1, band, 0.0);
                        }
                }).all());
    ASSERT_EQ(muted.size(), flat.size());
    long energy = 0;
    for (int16_t s : muted) energy += std::abs(s);
    EXPECT_LT(energy, long(muted.size())) << "all bands at zero must silence the stream";
}

TEST(FrameDecoder, PrepareRejectsUnusableSettings) {
    FrameDecoder decoder;
    DecoderSettings bad;
    bad.downSample = 3;
    takeEngineError();
    EXPECT_THROW(decoder.prepare(bad), int);
    EXPECT_EQ(takeEngineError(), kErrorResources);
    EXPECT_FALSE(decoder.ready());
}

}  // namespace
}  // namespace kz8::audio

namespace kz8::audio {
namespace {

TEST(FrameDecoder, AFalseFrameHeaderCostsOnlyTheFramesAroundIt) {
    // A word that passes for an MPEG-2 Layer II header, between two real
    // frames: what a seek landing inside a frame can meet. libmpg123 sizes
    // that "frame" its own way, and the frames whose reservoir it spoils come
    // out wrong; the rest of the stream must still be heard. Where the damage
    // ends depends on the encoder's frames, so several places are tried and
    // a dozen frames are allowed for it.
    const auto file = readFile(fixturePath("decoder/l3-44k-vbr.mp3"));
    const auto reference = readFile(fixturePath("decoder/l3-44k-vbr.mp3.raw"));
    ASSERT_TRUE(file && reference);
    testkit::StreamReaderRig original(*file);
    original.reader.open();
    const std::vector<uint32_t> starts = original.readAllFrameStarts();
    ASSERT_GT(starts.size(), 50u);
    constexpr size_t kFrameBytes = 1152 * 4;
    constexpr size_t kDamagedFrames = 12;
    for (size_t falseAt : {5u, 20u, 35u}) {
        testkit::Bytes data(file->begin(), file->begin() + starts[falseAt]);
        const uint8_t falseFrame[] = {0xFF, 0xF5, 0x40, 0x00};
        data.insert(data.end(), std::begin(falseFrame), std::end(falseFrame));
        data.insert(data.end(), 60, 0x55);
        data.insert(data.end(), file->begin() + starts[falseAt], file->end());

        testkit::StreamReaderRig rig(data);
        rig.reader.open();
        FrameDecoder decoder;
        decoder.prepare(DecoderSettings{});
        BlockRecorder recorder;
        for (int result; (result = rig.reader.readFrame()) != kEndOfStream;)
            if (result == kFrameRead) decoder.decodeFrame(rig.reader, recorder);
        decoder.flushBlock(recorder);

        const std::vector<uint8_t> heard = recorder.all();
        const auto tailStart = reference->begin() + long((falseAt + kDamagedFrames) * kFrameBytes);
        const std::vector<uint8_t> tail(tailStart, reference->end());
        const std::vector<uint8_t> mark(tail.begin(), tail.begin() + 4 * kFrameBytes);
        auto at = kz8::testkit::findBytes(heard, mark);
        ASSERT_TRUE(at) << "nothing after the false header before frame " << falseAt
                        << " was heard";
        EXPECT_TRUE(std::equal(tail.begin(), tail.end(), heard.begin() + long(*at), heard.end()))
            << "false header before frame " << falseAt;
    }
}

}  // namespace
}  // namespace kz8::audio
