// Every stream kind the reader knows, decoded through reader and decoder at
// each output rate and as a mono mix, against mpg123's decode of the same
// file with the same decoder core: any difference is ours.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/portable/frame_decoder.h"
#include "audio/tests/mp3_test_streams.h"
#include "common/testing/portable/test_files.h"

namespace kz8::audio {
namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::readFile;

std::vector<uint8_t> decodeWith(const std::string& path, const DecoderSettings& settings) {
    PlaybackParams params;
    params.fileName = path;
    Mp3StreamReader reader(params);
    reader.open();
    return testkit::decodedPcm(reader, settings);
}

TEST(ReferenceDecode, EveryStreamKindAtEveryRateMatchesMpg123) {
    struct Variant {
        const char* suffix;
        int32_t downSample;
        bool mix;
    } variants[] = {{".1to1.raw", 0, false},
                    {".2to1.raw", 1, false},
                    {".4to1.raw", 2, false},
                    {".mix.raw", 0, true}};
    namespace fs = std::filesystem;
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(fixturePath("mp3reader"))) {
        std::string name = entry.path().filename().string();
        std::string ext = entry.path().extension().string();
        if (ext != ".mp1" && ext != ".mp2" && ext != ".mp3") continue;
        for (const Variant& v : variants) {
            auto reference = readFile(entry.path().string() + v.suffix);
            if (!reference) continue;  // a combination mpg123 itself refuses
            DecoderSettings settings;
            settings.core = "generic";
            settings.downSample = v.downSample;
            settings.forceMono = v.mix;
            settings.channelSelect = v.mix ? kMixChannels : kBothChannels;
            std::vector<uint8_t> ours = decodeWith(entry.path().string(), settings);
            // mpg123 writes mono streams as mono; we fill both slots unless
            // asked for mono, so compare the left slot then.
            if (ours.size() == reference->size() * 2) {
                std::vector<uint8_t> left;
                for (size_t i = 0; i + 3 < ours.size(); i += 4)
                    left.insert(left.end(), &ours[i], &ours[i + 2]);
                ours.swap(left);
            }
            EXPECT_EQ(ours.size(), reference->size()) << name << v.suffix;
            EXPECT_TRUE(ours == *reference) << name << v.suffix << " differs from mpg123";
            ++compared;
        }
    }
    EXPECT_GE(compared, 50) << "fixtures missing";
}

}  // namespace
}  // namespace kz8::audio
