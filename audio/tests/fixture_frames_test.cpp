// Real files from lame, ffmpeg and our Layer I writer, read through the file
// openers of this build, frame by frame against ffprobe's packet list.
#include "audio/portable/mp3_stream_reader.h"

#include "common/testing/portable/test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <utility>
#include <vector>

#ifdef KZ8_AUDIO_WIN32_FILES
#include "audio/win32/win32_file_source.h"
#endif

namespace kz8::audio {
namespace {

struct Opener {
    const char* name;
    FileOpener open;
};

std::vector<Opener> openers() {
    std::vector<Opener> list = {{"stdio", &openStdioFile}};
#ifdef KZ8_AUDIO_WIN32_FILES
    list.push_back({"CreateFile", &openWin32File});
#endif
    return list;
}

struct FixtureCase {
    const char* file;
    int layer, rateHz, isLsf, isMpeg25, channels, hasCrc, mode;
    bool cbr;
};

const FixtureCase kFixtures[] = {
    {"l3-44k-cbr128.mp3", 3, 44100, 0, 0, 2, 0, 1, true},
    {"l3-48k-cbr160.mp3", 3, 48000, 0, 0, 2, 0, 1, true},
    {"l3-32k-cbr96.mp3", 3, 32000, 0, 0, 2, 0, 1, true},
    {"l3-44k-vbr.mp3", 3, 44100, 0, 0, 2, 0, 1, false},
    {"l3-48k-vbr.mp3", 3, 48000, 0, 0, 2, 0, 1, false},
    {"l3-32k-vbr.mp3", 3, 32000, 0, 0, 2, 0, 1, false},
    {"l3-44k-mono.mp3", 3, 44100, 0, 0, 1, 0, 3, true},
    {"l3-44k-joint.mp3", 3, 44100, 0, 0, 2, 0, 1, true},
    {"l3-44k-crc.mp3", 3, 44100, 0, 0, 2, 1, 1, true},
    {"l3-16k.mp3", 3, 16000, 1, 0, 2, 0, 1, true},
    {"l3-22k.mp3", 3, 22050, 1, 0, 2, 0, 1, true},
    {"l3-24k-crc.mp3", 3, 24000, 1, 0, 2, 1, 1, true},
    {"l3-8k.mp3", 3, 8000, 1, 1, 2, 0, 1, true},
    {"l3-11k-mono.mp3", 3, 11025, 1, 1, 1, 0, 3, true},
    {"l3-12k.mp3", 3, 12000, 1, 1, 2, 0, 1, true},
    {"l2-44k.mp2", 2, 44100, 0, 0, 2, 0, 0, true},
    {"l2-22k.mp2", 2, 22050, 1, 0, 2, 0, 0, true},
    {"l1-44k-crc.mp1", 1, 44100, 0, 0, 2, 1, 0, true},
};

using Frames = std::vector<std::pair<uint32_t, uint32_t>>;  // position, length

Frames oracleFrames(const std::string& file) {
    Frames frames;
    std::ifstream in(kz8::testkit::fixturePath("mp3reader/" + file + ".frames"));
    uint32_t pos = 0, size = 0;
    while (in >> pos >> size) frames.emplace_back(pos, size);
    return frames;
}

std::string pathOf(const std::string& file) {
    return kz8::testkit::fixturePath("mp3reader/" + file);
}

TEST(FixtureFrames, EveryFrameWhereFfprobeFindsIt) {
    for (const Opener& opener : openers()) {
        for (const FixtureCase& c : kFixtures) {
            const std::string where = std::string(c.file) + " via " + opener.name;
            const Frames expected = oracleFrames(c.file);
            ASSERT_FALSE(expected.empty()) << where << ": no oracle";
            PlaybackParams params;
            params.fileName = pathOf(c.file);
            Mp3StreamReader reader(params, opener.open);
            reader.open();
            Frames got;
            int result = 0;
            while ((result = reader.readFrame()) != kEndOfStream) {
                ASSERT_EQ(result, kFrameRead) << where << " after " << got.size() << " frames";
                uint32_t end = 0;
                ASSERT_TRUE(reader.sourcePosition(end)) << where;
                const uint32_t length = uint32_t(reader.header().bodySize) + 4;
                got.emplace_back(end - length, length);
                if (got.size() == 1) {
                    const FrameHeader& hd = reader.header();
                    EXPECT_EQ(hd.layer, c.layer) << where;
                    EXPECT_EQ(hd.samplingRate(), c.rateHz) << where;
                    EXPECT_EQ(hd.isLsf, c.isLsf) << where;
                    EXPECT_EQ(hd.isMpeg25, c.isMpeg25) << where;
                    EXPECT_EQ(hd.channels, c.channels) << where;
                    EXPECT_EQ(hd.hasCrc, c.hasCrc) << where;
                    EXPECT_EQ(hd.mode, c.mode) << where;
                }
            }
            EXPECT_EQ(got, expected) << where;
            EXPECT_EQ(reader.fileSize(), expected.back().first + expected.back().second) << where;

            if (c.cbr) {
                // The estimate counts frames of the last header's length; for a
                // constant bitrate it is the real count give or take one.
                const double samples = c.layer == 1 ? 384 : c.layer == 2 || !c.isLsf ? 1152 : 576;
                const double perFrame = samples * 1000.0 / c.rateHz;
                EXPECT_NEAR(reader.totalTime(), perFrame * double(expected.size()), 1.5 * perFrame)
                    << where << ": the stream's length";
            }
            reader.rewind();
            EXPECT_EQ(reader.readFrame(), kFrameRead) << where << ": after rewind";
            EXPECT_EQ(reader.header().headerChanged, 1) << where << ": after rewind";
            reader.close();
        }
    }
}

TEST(FixtureFrames, SeekingWorksAtEveryRateFamily) {
    // Half a second in, at an MPEG-1, an MPEG-2 and an MPEG-2.5 rate.
    for (const char* file : {"l3-44k-cbr128.mp3", "l3-22k.mp3", "l3-8k.mp3"}) {
        PlaybackParams params;
        params.fileName = pathOf(file);
        Mp3StreamReader reader(params);
        reader.open();
        ASSERT_EQ(reader.readFrame(), kFrameRead) << file;
        const double perFrame = reader.timePerFrame();
        ASSERT_GT(perFrame, 0.0) << file;
        ASSERT_TRUE(reader.seekToTime(500)) << file;
        const uint32_t n = uint32_t(500 / perFrame);
        EXPECT_EQ(params.frameCounter, n + 1) << file;
        EXPECT_NEAR(reader.currentTime(), 500.0 + perFrame, perFrame + 1) << file;
    }
}

}  // namespace
}  // namespace kz8::audio
