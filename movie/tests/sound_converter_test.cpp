// The sound track conversion: exact 8-bit copies, the same bytes for any
// block split, and tones that keep pitch, level and timing across rates.
#include "movie/portable/sound_converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace kz8::movie {
namespace {

using S = PcmFormat::Sample;
using Bytes = std::vector<uint8_t>;
constexpr double kPi = 3.14159265358979323846;

Bytes convertAll(SoundConverter& converter, const Bytes& pcm, size_t block) {
    Bytes out;
    for (size_t at = 0; at < pcm.size(); at += block)
        converter.convert(pcm.data() + at, std::min(block, pcm.size() - at), out);
    converter.finish(out);
    return out;
}

Bytes noise(size_t size) {
    std::mt19937 random(7);
    Bytes pcm(size);
    for (auto& byte : pcm) byte = uint8_t(random());
    return pcm;
}

// A sine of amplitude 0.9 on every channel, converted in blocks of 4096 bytes.
Bytes convertTone(const PcmFormat& f, double hz, double seconds) {
    const int width = f.sample == S::u8 ? 1 : f.sample == S::s16 ? 2 : f.sample == S::s24 ? 3 : 4;
    Bytes pcm;
    for (long frame = 0; frame < long(seconds * f.rate); ++frame) {
        const double x = 0.9 * std::sin(2 * kPi * hz * double(frame) / f.rate);
        const float asFloat = float(x);
        uint32_t word = uint32_t(int64_t(std::lround(std::ldexp(x, 8 * width - 1))));
        if (f.sample == S::u8) word += 128;
        if (f.sample == S::f32) std::memcpy(&word, &asFloat, 4);
        for (int i = 0; i < f.channels * width; ++i)
            pcm.push_back(uint8_t(word >> 8 * (i % width)));
    }
    SoundConverter converter(f);
    return convertAll(converter, pcm, 4096);
}

// u8 mono is copied untouched; other samples are rescaled by 128 and rounded.
TEST(SoundConverter, AtTrackRateSamplesAreOnlyRescaled) {
    SoundConverter u8({S::u8, 1, kTrackRate}), s16({S::s16, 1, kTrackRate});
    SoundConverter f32({S::f32, 2, kTrackRate});
    EXPECT_EQ(convertAll(u8, noise(1001), 7), noise(1001));
    EXPECT_EQ(convertAll(s16, {0, 0x80, 0, 0, 0xFF, 0x7F, 0x80, 0}, 3), Bytes({0, 128, 255, 129}));
    // NaN and +inf, then -inf and 0.5: NaN is silence, infinities clip.
    const Bytes pairs = {0, 0, 0xC0, 0x7F, 0, 0, 0x80, 0x7F, 0, 0, 0x80, 0xFF, 0, 0, 0, 0x3F};
    EXPECT_EQ(convertAll(f32, pairs, 5), Bytes({192, 96}));
}

TEST(SoundConverter, AnySplitGivesTheSameBytes) {
    for (PcmFormat format : {PcmFormat{S::s16, 2, 44100}, PcmFormat{S::f32, 5, 48000}}) {
        const Bytes pcm = noise(60000);    // as f32: clipping, near silence, NaN, infinities
        SoundConverter converter(format);  // reused: finish readies it for the next stream
        const Bytes whole = convertAll(converter, pcm, pcm.size());
        for (size_t block : {1, 3, 4097})
            EXPECT_EQ(convertAll(converter, pcm, block), whole) << format.rate << " by " << block;
    }
}

// SNR against the ideal track, edges left out, which also shows that the
// filter's delay is compensated; tones above the track band must fall 40 dB
// below full scale.
TEST(SoundConverter, TonesKeepLengthPitchLevelAndTiming) {
    struct Case {
        PcmFormat format;
        double hz, seconds, cleanDb;
    } cases[] = {
        {{S::s16, 2, 44100}, 1000, 1, 40},    {{S::f32, 1, 48000}, 1000, 1, 40},
        {{S::s32, 1, 192001}, 1000, 1, 40},   {{S::s24, 2, 48000}, 440, 0.75, 40},
        {{S::s32, 1, 96000}, 3000, 0.5, 40},  {{S::s16, 1, 1000000}, 5000, 0.3, 40},
        {{S::f32, 1, 44101}, 2000, 0.4, 40},  {{S::s16, 3, 1000}, 50, 2, 40},
        {{S::u8, 1, 11025}, 1000, 0.61, 38},  // the source's own 8 bits add noise
        {{S::s16, 1, 44100}, 15000, 0.5, 40}, {{S::s16, 1, 44100}, 11800, 0.5, 40},
        {{S::s16, 1, 48000}, 12000, 0.5, 40}, {{S::s16, 1, 96000}, 30000, 0.5, 40},
    };
    for (auto& c : cases) {
        const Bytes out = convertTone(c.format, c.hz, c.seconds);
        const double frames = std::floor(c.seconds * c.format.rate);
        EXPECT_NEAR(out.size(), std::round(frames * kTrackRate / c.format.rate), 1.0);
        const double amplitude = c.hz < kTrackRate / 2 ? 115.2 : 0.0;
        int crossings = 0;
        double error = 0, reference = 0;
        for (size_t k = 1; k < out.size(); ++k) {
            crossings += (out[k - 1] < 128) != (out[k] < 128);
            const double ideal =
                std::floor(128.5 + amplitude * std::sin(2 * kPi * c.hz * k / kTrackRate));
            if (k < out.size() / 10 || k > out.size() * 9 / 10) continue;
            error += std::pow(out[k] - ideal, 2);
            reference += std::pow(amplitude > 0 ? amplitude : 128.0, 2) / 2;
        }
        EXPECT_GE(10 * std::log10(reference / (error + 1e-9)), c.cleanDb) << c.hz << " Hz";
        if (amplitude > 0) {
            EXPECT_NEAR(crossings, 2 * c.hz * c.seconds, 2) << c.format.rate;
        }
    }
}

TEST(SoundConverter, UnusableFormatsConvertNothing) {
    for (PcmFormat format :
         {PcmFormat{S::s16, 0, 44100}, PcmFormat{S::s16, 33, 44100}, PcmFormat{S::u8, 1, 999},
          PcmFormat{S::f32, 2, 1000001}, PcmFormat{S::s24, -1, -5},
          PcmFormat{PcmFormat::Sample(9), 1, 22050}}) {
        SoundConverter converter(format);
        EXPECT_FALSE(converter.valid());
        EXPECT_TRUE(convertAll(converter, noise(64), 5).empty());
    }
    EXPECT_TRUE(SoundConverter({S::f32, 32, 1000000}).valid());
}

}  // namespace
}  // namespace kz8::movie
