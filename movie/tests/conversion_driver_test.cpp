// The conversion's timing, loops and progress with a scripted source and
// a sink that only counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "movie/portable/conversion_driver.h"

namespace kz8::movie {
namespace {

constexpr int64_t kSecond = kUnitsPerSecond;

struct ScriptedSource : MovieSource {
    int64_t d = 10 * kSecond, t = kSecond / 25;
    bool sound = false;
    int framesAvailable = 1000;
    int unreadableAt = -1;
    int soundBlocks = 0;
    size_t blockBytes = 5000;
    int64_t blockSpan = 5000 * kSecond / 22050;

    int64_t duration() const override { return d; }
    int64_t timePerFrame() const override { return t; }
    bool hasSound() const override { return sound; }
    FrameRead nextFrame(BgrPicture& frame) override {
        if (framesRead == unreadableAt) return FrameRead::unreadable;
        if (framesRead++ >= framesAvailable) return FrameRead::end;
        frame.width = frame.height = 1;
        frame.rows.assign(3, 0);
        return FrameRead::frame;
    }
    bool nextSoundBlock(std::vector<uint8_t>& bytes, int64_t& span) override {
        if (soundBlocks == 0) return false;
        --soundBlocks;
        bytes.assign(blockBytes, uint8_t(soundBlocks));
        span = blockSpan;
        return true;
    }
    int framesRead = 0;
};

struct CountingSink : MovieSink {
    int failAt = -1;
    std::vector<uint32_t> durations;
    std::vector<uint8_t> sound;
    bool addFrame(const BgrPicture&, uint32_t duration) override {
        if (int(durations.size()) == failAt) return false;
        durations.push_back(duration);
        return true;
    }
    bool finish(const std::vector<uint8_t>& gathered) override {
        sound = gathered;
        return true;
    }
};

struct Outcome {
    ConversionResult prepared;
    ConversionResult result = ConversionResult::done;
    CountingSink sink;
    std::vector<float> progress;
};

Outcome convert(ScriptedSource& source, int failAt = -1) {
    Outcome run;
    run.sink.failAt = failAt;
    ConversionDriver driver(source, [&](float percent) { run.progress.push_back(percent); });
    run.prepared = driver.prepare();
    if (run.prepared == ConversionResult::done) run.result = driver.run(run.sink);
    return run;
}

void expectSoundProgress(const std::vector<float>& progress) {
    ASSERT_FALSE(progress.empty());
    for (size_t i = 1; i < progress.size(); ++i) ASSERT_LE(progress[i - 1], progress[i]);
    ASSERT_GE(progress.front(), 0.0f);
    EXPECT_EQ(progress.back(), 100.0f);
    EXPECT_NE(std::find(progress.begin(), progress.end(), 90.0f), progress.end());
    EXPECT_TRUE(std::none_of(progress.begin(), progress.end(), [](float p) { return p > 100; }));
}

TEST(ConversionDriver, FramesLastWhatTheirRateGivesAndAtMostNPlusOneAreWritten) {
    struct Row {
        int64_t d, t;
        uint32_t duration;
        size_t frames;
    } rows[] = {
        {10 * kSecond, kSecond / 25, 24, 251},
        {10 * kSecond, 333333, 20, 301},
        {10 * kSecond, kSecond / 15, 40, 151},
        {10 * kSecond, kSecond / 7, 85, 71},
        {10 * kSecond, 333667, 20, 300},
        {kSecond, kSecond / 1000, 1, 1001},
        {3 * kSecond, 0, 1800, 1},
        {kSecond / 1000, 0, 1, 1},
        {10 * kSecond, 4 * kSecond, 2400, 3},
    };
    for (const Row& row : rows) {
        ScriptedSource source;
        source.d = row.d;
        source.t = row.t;
        source.framesAvailable = 5000;  // more than the duration holds
        Outcome run = convert(source);
        SCOPED_TRACE(row.t);
        EXPECT_EQ(run.result, ConversionResult::done);
        EXPECT_EQ(run.sink.durations.size(), row.frames);
        EXPECT_EQ(run.sink.durations.front(), row.duration);
        expectSoundProgress(run.progress);
    }
}

TEST(ConversionDriver, AFailedFrameEndsTheVideoButNotTheConversion) {
    for (bool unreadable : {false, true}) {
        ScriptedSource source;
        source.sound = true;
        source.soundBlocks = 3;
        if (unreadable) source.unreadableAt = 7;
        Outcome run = convert(source, unreadable ? -1 : 7);
        EXPECT_EQ(run.result, ConversionResult::done);
        EXPECT_EQ(run.sink.durations.size(), 7u);
        EXPECT_EQ(run.sink.sound.size(), 15000u);
        expectSoundProgress(run.progress);
    }
}

TEST(ConversionDriver, SoundIsGatheredUpToItsCapacityOrRefusedUpFront) {
    ScriptedSource source;
    source.sound = true;
    source.d = 2 * kSecond;  // room for 44100 bytes
    source.soundBlocks = 20;
    Outcome run = convert(source);
    EXPECT_EQ(run.sink.sound.size(), 44100u);
    expectSoundProgress(run.progress);

    source = ScriptedSource{};
    source.sound = true;  // "has sound" but yields none: no track
    EXPECT_TRUE(convert(source).sink.sound.empty());

    source.d = kUnitsPerMillisecond - 1;
    EXPECT_EQ(convert(source).prepared, ConversionResult::soundTooShort);
    source.d = 300000 * kSecond;  // more than 4 GiB of sound
    EXPECT_EQ(convert(source).prepared, ConversionResult::memoryLow);
}

TEST(ConversionDriver, ProgressEndsAt90Then100ForAnyDuration) {
    for (int64_t d : {int64_t(0), kSecond / 2, kSecond, 95 * kSecond}) {
        for (bool sound : {false, true}) {
            ScriptedSource source;
            source.d = d;
            source.sound = sound && d >= kUnitsPerMillisecond;
            source.soundBlocks = 40;
            source.framesAvailable = 30;
            Outcome run = convert(source);
            SCOPED_TRACE(d);
            ASSERT_EQ(run.result, ConversionResult::done);
            expectSoundProgress(run.progress);
            const auto ninety = std::find(run.progress.begin(), run.progress.end(), 90.0f);
            EXPECT_TRUE(std::all_of(run.progress.begin(), ninety, [](float p) { return p < 90; }));
        }
    }
}

}  // namespace
}  // namespace kz8::movie
