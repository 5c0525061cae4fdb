// The parts of the output that need no device: the capture file's layout,
// the volume scale of DirectSound, and output to a caller's sink.
#include <gtest/gtest.h>

#include <vector>

#include "audio/portable/engine_error.h"
#include "audio/portable/sink_output.h"
#include "audio/portable/volume_scale.h"
#include "audio/portable/wave_file_layout.h"
#include "common/portable/le_bytes.h"

namespace kz8::audio {
namespace {

TEST(WaveFileLayout, HeaderFieldsAtTheirOffsets) {
    struct Case {
        PcmFormat format;
        uint32_t perSecond;
        uint16_t align;
    } cases[] = {
        {{44100, 2, 16}, 176400, 4},
        {{22050, 1, 16}, 44100, 2},
        {{48000, 2, 16}, 192000, 4},  // the file keeps rates the device would clamp
        {{11025, 1, 8}, 11025, 1},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> h = waveFileHeader(c.format, 1000);
        ASSERT_EQ(h.size(), kWaveHeaderSize);
        SCOPED_TRACE(c.format.sampleRate);
        EXPECT_EQ(std::string(h.begin(), h.begin() + 4), "RIFF");
        EXPECT_EQ(loadU32LE(&h[4]), 1000u + 38);
        EXPECT_EQ(std::string(h.begin() + 8, h.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(loadU32LE(&h[16]), 18u);
        EXPECT_EQ(loadU16LE(&h[20]), 1);
        EXPECT_EQ(loadU16LE(&h[22]), c.format.channels);
        EXPECT_EQ(loadU32LE(&h[24]), uint32_t(c.format.sampleRate));
        EXPECT_EQ(loadU32LE(&h[28]), c.perSecond);
        EXPECT_EQ(loadU16LE(&h[32]), c.align);
        EXPECT_EQ(loadU16LE(&h[34]), c.format.bitsPerSample);
        EXPECT_EQ(loadU16LE(&h[36]), 0);
        EXPECT_EQ(std::string(h.begin() + 38, h.begin() + 42), "data");
        EXPECT_EQ(loadU32LE(&h[42]), 1000u);
    }
}

TEST(WaveFileLayout, ParseAcceptsOnlyConsistentFiles) {
    std::vector<uint8_t> file = waveFileHeader({44100, 2, 16}, 8);
    file.insert(file.end(), {1, 2, 3, 4, 5, 6, 7, 8});
    auto parsed = parseWaveFile(file);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->dataOffset, 46u);
    EXPECT_EQ(parsed->dataLength, 8u);

    std::vector<uint8_t> truncated(file.begin(), file.end() - 1);
    EXPECT_FALSE(parseWaveFile(truncated)) << "data length disagrees with size";
    std::vector<uint8_t> badAlign = file;
    storeU16LE(&badAlign[32], 3);
    EXPECT_FALSE(parseWaveFile(badAlign));
    EXPECT_FALSE(parseWaveFile(std::vector<uint8_t>(file.begin(), file.begin() + 30)));
}

TEST(VolumeScale, EndsAndRoundTrip) {
    EXPECT_EQ(directSoundVolumeFromLevel(0xFFFF), 0);
    EXPECT_EQ(directSoundVolumeFromLevel(0), -10000);
    EXPECT_EQ(levelFromDirectSoundVolume(0), 0xFFFF);
    EXPECT_EQ(levelFromDirectSoundVolume(-10000), 0);
    // Half the level is about -625 hundredths of a decibel on this scale.
    EXPECT_EQ(directSoundVolumeFromLevel(0x7FFF), -625);
    for (uint32_t level : {1u, 100u, 0x1000u, 0x7FFFu, 0xC000u}) {
        uint16_t back = levelFromDirectSoundVolume(directSoundVolumeFromLevel(uint16_t(level)));
        EXPECT_NEAR(back, level, level / 400 + 2) << "level " << level;
    }
}

// A sink that records what it was given and can be told to refuse.
struct RecordingSink {
    std::vector<int32_t> controls;
    std::vector<uint8_t> data;
    int32_t bits = 0, channels = 0, rate = 0;
    bool acceptOpen = true;
    bool acceptData = true;

    static uint8_t onData(const void* bytes, int32_t b, int32_t c, int32_t r, uint32_t n,
                          void* context) {
        auto* self = static_cast<RecordingSink*>(context);
        const auto* p = static_cast<const uint8_t*>(bytes);
        self->data.insert(self->data.end(), p, p + n);
        self->bits = b;
        self->channels = c;
        self->rate = r;
        return self->acceptData;
    }
    static uint8_t onControl(int32_t code, void* context) {
        auto* self = static_cast<RecordingSink*>(context);
        self->controls.push_back(code);
        return code == kSinkClosing || self->acceptOpen;
    }
    PcmSink sink() { return {&onData, &onControl, this}; }
};

int32_t thrownCode(void (*action)(RecordingSink&), RecordingSink& recorder) {
    takeEngineError();
    try {
        action(recorder);
    } catch (int code) {
        EXPECT_EQ(takeEngineError(), code) << "the code thrown is the code kept";
        return code;
    }
    return 0;
}

TEST(SinkOutput, DeliversBlocksBetweenOpenAndClose) {
    RecordingSink recorder;
    {
        SinkOutput output(recorder.sink(), {22050, 1, 16});
        const uint8_t block[] = {9, 8, 7, 6};
        EXPECT_EQ(output.writeBlock(block, 4), 4);
        EXPECT_EQ(output.writeBlock(block, 2), 2);
    }
    EXPECT_EQ(recorder.controls, (std::vector<int32_t>{kSinkOpening, kSinkClosing}));
    EXPECT_EQ(recorder.data, (std::vector<uint8_t>{9, 8, 7, 6, 9, 8}))
        << "every block arrives, the first one too";
    EXPECT_EQ(recorder.rate, 22050);
    EXPECT_EQ(recorder.channels, 1);
    EXPECT_EQ(recorder.bits, 16);
}

TEST(SinkOutput, FailuresThrowTheDeviceError) {
    RecordingSink refusing;
    refusing.acceptOpen = false;
    EXPECT_EQ(thrownCode([](RecordingSink& r) { SinkOutput(r.sink(), {}); }, refusing),
              kErrorDevice);

    RecordingSink incomplete;
    EXPECT_EQ(thrownCode(
                  [](RecordingSink& r) {
                      PcmSink sink = r.sink();
                      sink.data = nullptr;
                      SinkOutput(sink, {});
                  },
                  incomplete),
              kErrorDevice);
    EXPECT_TRUE(incomplete.controls.empty()) << "an incomplete sink is not even asked";

    RecordingSink failingData;
    failingData.acceptData = false;
    EXPECT_EQ(thrownCode(
                  [](RecordingSink& r) {
                      SinkOutput output(r.sink(), {});
                      const uint8_t byte = 0;
                      output.writeBlock(&byte, 1);
                  },
                  failingData),
              kErrorDevice);
    EXPECT_EQ(failingData.controls.back(), kSinkClosing) << "closed even when a write threw";
}

}  // namespace
}  // namespace kz8::audio
