// Inputs that have fooled MP3 readers, each against the peers: whether it
// opens, its length against ffprobe's duration, and its first sound against
// mpg123's decode.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "audio/portable/frame_decoder.h"
#include "audio/tests/mp3_test_streams.h"
#include "common/testing/portable/test_files.h"

namespace kz8::audio {
namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::readFile;

double ffprobeSeconds(const std::string& file) {
    std::ifstream in(fixturePath("traps/" + file + ".duration"));
    double seconds = -1.0;
    in >> seconds;
    return seconds;
}

TEST(TrapInputs, OpenLengthAndFirstSoundAgainstThePeers) {
    struct Case {
        const char* file;
        bool opens;
        // How far the length may be from ffprobe's, in frames: one where the
        // stream counts its frames, more where tag bytes count as sound.
        double framesOff;
    } cases[] = {
        {"junk.mp3", false, 0},      {"tag-only.mp3", false, 0}, {"two-tags.mp3", true, 8},
        {"false-sync.mp3", true, 2}, {"layer1.mp1", true, 1.5},  {"mpeg2-layer2.mp2", true, 1.5},
        {"vbr-v2.mp3", true, 1},     {"vbr-v9.mp3", true, 1},
    };
    for (const Case& c : cases) {
        PlaybackParams params;
        params.fileName = fixturePath(std::string("traps/") + c.file);
        Mp3StreamReader reader(params);
        reader.open();
        int first = kNoFrame;
        for (int call = 0; call < 64 && first == kNoFrame; ++call) first = reader.readFrame();
        ASSERT_EQ(first == kFrameRead, c.opens) << c.file;
        if (!c.opens) continue;

        const double seconds = ffprobeSeconds(c.file);
        ASSERT_GT(seconds, 0.0) << c.file << ": no duration from ffprobe";
        EXPECT_NEAR(reader.totalTime(), seconds * 1000.0, c.framesOff * reader.timePerFrame())
            << c.file << ": length";

        reader.rewind();
        // The first frames as the player reads them after a Prepare: the
        // reader's own way through tags and junk.
        DecoderSettings settings;
        settings.blockSize = 4096;
        const std::vector<uint8_t> ours = testkit::decodedPcm(reader, settings, 8);
        const auto reference = readFile(fixturePath(std::string("traps/") + c.file + ".raw"));
        ASSERT_TRUE(reference) << c.file;
        ASSERT_FALSE(ours.empty()) << c.file;
        ASSERT_GE(reference->size(), ours.size()) << c.file;
        EXPECT_TRUE(std::equal(ours.begin(), ours.end(), reference->begin()))
            << c.file << ": the first frames differ from mpg123's decode";
    }
}

}  // namespace
}  // namespace kz8::audio
