// The player's state rules and range and rate arithmetic, without threads.
#include "audio/portable/player_state.h"
#include "audio/portable/playback_range.h"

#include <gtest/gtest.h>

#include "audio/portable/output_settings.h"

namespace kz8::audio {
namespace {

TEST(PlayerStateTable, EachOperationRunsOnlyInItsStates) {
    using Op = PlayerOperation;
    // Allowed states as a string of six flags, Idle..Paused.
    struct Case {
        Op op;
        const char* allowed;
    } cases[] = {
        {Op::SetFileName, "100000"},
        {Op::SetCaptureFile, "111100"},
        {Op::SetSourceKind, "100000"},
        {Op::SetOutputMode, "111100"},
        {Op::SetStreamSource, "100000"},
        {Op::SetPcmSink, "111100"},
        {Op::SetBuffering, "110000"},
        {Op::SetDeviceWhileIdle, "100000"},
        {Op::SetDevice, "111100"},
        {Op::SetOwnerWindow, "111100"},
        {Op::SetNotifySink, "111100"},
        {Op::Open, "100000"},
        {Op::Prepare, "010100"},
        {Op::Play, "001000"},
        {Op::Pause, "000011"},
        {Op::Resume, "000011"},
        {Op::Stop, "000111"},
        {Op::Seek, "000011"},
        {Op::GetTotalTime, "001111"},
        {Op::GetCurrentTime, "000111"},
        {Op::GetSourceFlag, "011111"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        for (int32_t state = kIdle; state <= kPaused; ++state)
            EXPECT_EQ(isAllowed(cases[i].op, state), cases[i].allowed[state] == '1')
                << "case " << i << " in state " << state;
    EXPECT_FALSE(isAllowed(PlayerOperation::Open, 6)) << "unknown states allow nothing";
}

TEST(PlaybackRange, StoredTimesAndTheirFrames) {
    const double perFrame = 1152000.0 / 44100;  // 26.12 ms
    struct Case {
        uint32_t startMs, endMs;
        uint32_t endTime, startFrame, endFrame;
    } cases[] = {
        {0, 0, kNoEndTime, 0, kNoEndFrame},         // no end
        {1000, 2000, 2000, 38, 76},                 // both converted, truncated
        {2000, 1000, kNoEndTime, 76, kNoEndFrame},  // an end before the start is none
        {500, 500, 500, 19, 19},
        {100000, 0, kNoEndTime, 3828, kNoEndFrame},  // start beyond any file
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        PlaybackParams p;
        storeRange(p, c.startMs, c.endMs);
        EXPECT_EQ(p.startTime, c.startMs) << "case " << i;
        convertRange(p, perFrame);
        EXPECT_EQ(p.endTime, c.endTime) << "case " << i;
        EXPECT_EQ(p.startFrame, c.startFrame) << "case " << i;
        EXPECT_EQ(p.endFrame, c.endFrame) << "case " << i;
    }
}

TEST(PlaybackRange, OutputRateFollowsTheStreamExceptAbove48kOnTheDevice) {
    struct Case {
        int32_t streamRate, mode, forced;
        int32_t downSample, rate, forcedAfter;
    } cases[] = {
        {44100, kOutputWaveDevice, -1, 0, 44100, -1},
        {48000, kOutputWaveDevice, -1, 1, 24000, 24000},
        {48000, kOutputWaveFile, -1, 0, 48000, -1},  // only the device is limited
        {22050, kOutputWaveDevice, -1, 0, 22050, -1},
        {44100, kOutputWaveDevice, 32000, 0, 32000, 32000},  // the caller's rate wins
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        RateChoice r = chooseOutputRate(c.streamRate, c.mode, c.forced);
        EXPECT_EQ(r.downSample, c.downSample) << "case " << i;
        EXPECT_EQ(r.sampleRate, c.rate) << "case " << i;
        EXPECT_EQ(r.forcedRate, c.forcedAfter) << "case " << i;
    }
}

TEST(PlaybackRange, PreviewSecondsAreWholeSecondsAcrossMinutes) {
    const int32_t cases[][2] = {{0, 0},      {999, 0},    {59999, 59},
                                {60000, 60}, {61500, 61}, {3599999, 3599}};
    for (const auto& c : cases) EXPECT_EQ(previewSeconds(c[0]), c[1]) << c[0] << " ms";
}

}  // namespace
}  // namespace kz8::audio
