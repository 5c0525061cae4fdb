// The player against the real wave device under Wine: what it plays comes
// back through the harness's capture file and is compared with mpg123's
// decode of the same file.
#include "audio/win32/audio_player.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "audio/portable/engine_error.h"
#include "audio/tests/win32/player_test_support.h"
#include "common/testing/portable/test_files.h"

namespace kz8::audio {
namespace {

using kz8::testkit::findBytes;
using kz8::testkit::fixturePath;
using namespace kz8::audio::testkit;

constexpr size_t kFrameBytes = 1152 * 4;  // one MPEG-1 frame of 16-bit stereo
const char* const kShortClip = "decoder/l3-44k-vbr.mp3";
const char* const kSweep = "player/sweep-44k.mp3";

bool openAndPrepare(AudioPlayer& player, const std::string& fixture) {
    return player.SetFileName(fixturePath(fixture).c_str()) && player.Open() && player.Prepare();
}

bool ended(AudioPlayer& player) {
    return waitUntil([&] { return player.GetState() == kEnded; });
}

std::vector<uint8_t> slice(const std::vector<uint8_t>& bytes, size_t from, size_t to) {
    to = std::min(to, bytes.size());
    return from < to ? std::vector<uint8_t>(bytes.begin() + long(from), bytes.begin() + long(to))
                     : std::vector<uint8_t>{};
}

// Frames after a seek target that may still differ from a decode from the
// start: how far back the bit reservoir reaches depends on the encoding.
constexpr size_t kSettleFrames = 10;

// Sound without the silence Wine's device inserts when a writer falls behind.
std::vector<uint8_t> soundOnly(const std::vector<uint8_t>& pcm) {
    return kz8::testkit::withoutSilentFrames(pcm, 4);
}

// Runs cycle 1 to 200 (after a cycle 0 that loaded what stays loaded) and
// checks that the process holds no more handles after than before.
template <typename Cycle>
void expectNoHandleGrowth(Cycle cycle) {
    DWORD before = 0, after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    for (int i = 1; i <= 200; ++i) {
        cycle(i);
        if (::testing::Test::HasFatalFailure()) return;
    }
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_EQ(after, before) << "handles leaked over 200 cycles";
}

TEST(AudioPlayerStates, EachOperationInTurnWithItsRefusals) {
    AudioPlayer player;
    AudioPlayer::TakeError();
    const std::string good = fixturePath(kShortClip);
    struct Step {
        const char* what;
        std::function<int64_t()> run;
        int64_t result;
        int32_t error;
        int32_t state;
    } steps[] = {
        {"Prepare in Idle", [&] { return player.Prepare(); }, 0, kErrorState, kIdle},
        {"Play in Idle", [&] { return player.Play(); }, 0, kErrorState, kIdle},
        {"Pause in Idle", [&] { return player.Pause(); }, 0, kErrorState, kIdle},
        {"Resume in Idle", [&] { return player.Resume(); }, 0, kErrorState, kIdle},
        {"Stop in Idle", [&] { return player.Stop(); }, 0, kErrorState, kIdle},
        {"Seek in Idle", [&] { return player.Seek(10); }, 0, kErrorState, kIdle},
        {"GetTotalTime in Idle", [&] { return player.GetTotalTime(); }, -1, kErrorState, kIdle},
        {"GetCurrentTime in Idle", [&] { return player.GetCurrentTime(); }, -1, kErrorState, kIdle},
        {"GetSourceFlag in Idle", [&] { return player.GetSourceFlag(); }, 0, kErrorState, kIdle},
        {"Open without a name", [&] { return player.Open(); }, 0, kErrorStream, kIdle},
        {"name of a missing file", [&] { return player.SetFileName("Z:\\no\\such.mp3"); }, 1, 0,
         kIdle},
        {"Open a missing file", [&] { return player.Open(); }, 0, kErrorStream, kIdle},
        {"name of the clip", [&] { return player.SetFileName(good.c_str()); }, 1, 0, kIdle},
        {"Open", [&] { return player.Open(); }, 1, 0, kOpened},
        {"Open twice", [&] { return player.Open(); }, 0, kErrorState, kOpened},
        {"SetFileName in Opened", [&] { return player.SetFileName("x"); }, 0, kErrorState, kOpened},
        {"SetSourceKind in Opened", [&] { return player.SetSourceKind(1); }, 0, kErrorState,
         kOpened},
        {"SetBuffering in Opened", [&] { return player.SetBuffering(0, 0); }, 1, 0, kOpened},
        {"a negative buffer count", [&] { return player.SetBuffering(-1, 0); }, 0, kErrorState,
         kOpened},
        {"GetSourceFlag in Opened", [&] { return player.GetSourceFlag(); }, 1, 0, kOpened},
        {"GetTotalTime in Opened", [&] { return player.GetTotalTime(); }, -1, kErrorState, kOpened},
        {"Play in Opened", [&] { return player.Play(); }, 0, kErrorState, kOpened},
        {"Prepare", [&] { return player.Prepare(); }, 1, 0, kPrepared},
        {"SetBuffering in Prepared", [&] { return player.SetBuffering(4, 0); }, 0, kErrorState,
         kPrepared},
        {"Prepare twice", [&] { return player.Prepare(); }, 0, kErrorState, kPrepared},
        {"Pause in Prepared", [&] { return player.Pause(); }, 0, kErrorState, kPrepared},
        {"GetCurrentTime in Prepared", [&] { return player.GetCurrentTime(); }, -1, kErrorState,
         kPrepared},
        {"SetRange in Prepared", [&] { return player.SetRange(0, 0); }, 1, 0, kPrepared},
        {"SetPriority in Prepared",
         [&] { return player.SetPriority(THREAD_PRIORITY_ABOVE_NORMAL); }, 1, 0, kPrepared},
        {"Close", [&] { return player.Close(); }, 1, 0, kIdle},
        {"Close in Idle", [&] { return player.Close(); }, 1, 0, kIdle},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        EXPECT_EQ(s.run(), s.result) << "step " << i << ": " << s.what;
        EXPECT_EQ(AudioPlayer::TakeError(), s.error) << "step " << i << ": " << s.what;
        EXPECT_EQ(player.GetState(), s.state) << "step " << i << ": " << s.what;
    }
}

TEST(AudioPlayerStates, SinkModeWithoutBothFunctionsRefusesToPlay) {
    AudioPlayer player;
    ASSERT_TRUE(player.SetOutputMode(kOutputSink));
    ASSERT_TRUE(openAndPrepare(player, kShortClip));
    AudioPlayer::TakeError();
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(AudioPlayer::TakeError(), kErrorSink);
    EXPECT_EQ(player.GetState(), kPrepared);
}

TEST(AudioPlayerPlayback, PlaysToTheEndThenAgainFromTheFirstFrame) {
    const std::vector<uint8_t> reference = referencePcm(std::string(kShortClip) + ".raw");
    ASSERT_FALSE(reference.empty());
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, kShortClip));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(player.Play()) << "round " << round;
        ASSERT_TRUE(ended(player)) << "round " << round;
        EXPECT_EQ(player.GetCurrentTime(), player.GetTotalTime()) << "round " << round;
        EXPECT_TRUE(playedExactly(lastPlayback(), reference)) << "round " << round;
        EXPECT_TRUE(player.Prepare()) << "round " << round << ": Prepare after the end";
    }
    EXPECT_TRUE(player.Close());
}

TEST(AudioPlayerPlayback, StopAfterTheEndGoesBackToOpened) {
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, kShortClip));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(ended(player));
    EXPECT_TRUE(player.Stop());
    EXPECT_EQ(player.GetState(), kOpened);
    EXPECT_TRUE(player.Prepare());
}

TEST(AudioPlayerPlayback, A48kStreamPlaysAtHalfRateAndTheNextStreamAtItsOwn) {
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, "decoder/l3-48k.mp3"));
    EXPECT_EQ(player.params().sampleRate, 24000);
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(ended(player));
    EXPECT_TRUE(playedExactly(lastPlayback(), referencePcm("decoder/l3-48k.mp3.half.raw")));
    player.Close();

    ASSERT_TRUE(openAndPrepare(player, kShortClip));
    EXPECT_EQ(player.params().sampleRate, 44100) << "the halving stayed with the player";
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(ended(player));
    EXPECT_TRUE(playedExactly(lastPlayback(), referencePcm(std::string(kShortClip) + ".raw")));
}

TEST(AudioPlayerPlayback, PauseAndResumeLoseAndRepeatNothing) {
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, kSweep));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(waitUntil([&] { return capturedSize() > 8 * kFrameBytes; }));
    ASSERT_TRUE(player.Pause());
    EXPECT_EQ(player.GetState(), kPaused);
    Sleep(250);  // the device stops consuming
    size_t whilePaused = capturedSize();
    Sleep(250);
    EXPECT_EQ(capturedSize(), whilePaused) << "the device played on while paused";
    ASSERT_TRUE(player.Resume());
    EXPECT_EQ(player.GetState(), kPlaying);
    ASSERT_TRUE(ended(player));
    EXPECT_TRUE(playedExactly(lastPlayback(), referencePcm(std::string(kSweep) + ".raw")));
}

TEST(AudioPlayerPlayback, StopEndsPlaybackQuicklyPlayingOrPaused) {
    AudioPlayer player;
    for (bool paused : {false, true}) {
        ASSERT_TRUE(openAndPrepare(player, kSweep));
        ASSERT_TRUE(player.Play());
        Sleep(100);
        if (paused) {
            ASSERT_TRUE(player.Pause());
            Sleep(100);  // well inside the pause loop
        }
        const double start = nowMs();
        EXPECT_TRUE(player.Stop());
        const double took = nowMs() - start;
        RecordProperty(paused ? "stop_paused_ms" : "stop_playing_ms", int(took));
        std::printf("Stop while %s: %.1f ms\n", paused ? "paused" : "playing", took);
        // The pause wait and the device's waits wake on the stop itself.
        EXPECT_LT(took, 100.0) << (paused ? "paused" : "playing");
        EXPECT_EQ(player.GetState(), kOpened);
        player.Close();
    }
}

TEST(AudioPlayerSeek, WhilePausedServedAtOnceAndStaysPaused) {
    const std::vector<uint8_t> reference = referencePcm(std::string(kSweep) + ".raw");
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, kSweep));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(player.Pause());
    Sleep(100);
    const double start = nowMs();
    EXPECT_TRUE(player.Seek(4000));
    const double took = nowMs() - start;
    std::printf("Seek while paused: %.2f ms\n", took);
    EXPECT_LT(took, 60.0) << "the seek waited for a pause step";
    EXPECT_EQ(player.GetState(), kPaused);
    EXPECT_NEAR(player.GetCurrentTime(), 4000, 60);
    ASSERT_TRUE(player.Resume());
    ASSERT_TRUE(ended(player));
    // From some frames after the target (the decoder refills its bit reservoir
    // and synthesis history after the jump) to the end.
    const size_t from = (size_t(4000 / 26.1224) + kSettleFrames) * kFrameBytes;
    std::vector<uint8_t> captured = soundOnly(lastPlayback());
    std::vector<uint8_t> tail = soundOnly(slice(reference, from, reference.size()));
    auto at = findBytes(captured, slice(tail, 0, 4 * kFrameBytes));
    ASSERT_TRUE(at) << "the frames after the seek target were not played";
    EXPECT_LT(*at, (kSettleFrames + 5) * kFrameBytes)
        << "playback did not continue near the target";
    EXPECT_TRUE(playedExactly(slice(captured, *at, captured.size()), tail));
}

TEST(AudioPlayerSeek, WhilePlayingContinuesFromTheTargetFrame) {
    const std::vector<uint8_t> reference = referencePcm(std::string(kSweep) + ".raw");
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, kSweep));
    ASSERT_TRUE(player.Play());
    const double start = nowMs();
    EXPECT_TRUE(player.Seek(3500));
    std::printf("Seek while playing: %.2f ms\n", nowMs() - start);
    EXPECT_FALSE(player.Seek(60000)) << "a target past the end";
    EXPECT_EQ(player.GetState(), kPlaying);
    ASSERT_TRUE(ended(player));
    std::vector<uint8_t> captured = soundOnly(lastPlayback());
    const size_t from = (size_t(3500 / 26.1224) + kSettleFrames) * kFrameBytes;
    std::vector<uint8_t> tail = soundOnly(slice(reference, from, reference.size()));
    auto at = findBytes(captured, slice(tail, 0, 4 * kFrameBytes));
    ASSERT_TRUE(at) << "the frames after the seek target were not played";
    EXPECT_TRUE(playedExactly(slice(captured, *at, captured.size()), tail));
    // What lies between the start and the target was skipped.
    EXPECT_FALSE(
        findBytes(captured, soundOnly(slice(reference, 100 * kFrameBytes, 102 * kFrameBytes))));
}

TEST(AudioPlayerRange, AnEndFrameStopsThereAndAStartBeyondTheEndPlaysNothing) {
    const std::vector<uint8_t> reference = referencePcm(std::string(kSweep) + ".raw");
    AudioPlayer player;
    // Set while Idle: the range counts from the next play.
    ASSERT_TRUE(player.SetRange(0, 1000));
    ASSERT_TRUE(openAndPrepare(player, kSweep));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(ended(player));
    EXPECT_EQ(player.params().endFrame, 38u);
    EXPECT_TRUE(playedExactly(lastPlayback(), slice(reference, 0, 38 * kFrameBytes)));

    ASSERT_TRUE(player.Prepare());
    ASSERT_TRUE(player.SetRange(100000, 0));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(ended(player));
    EXPECT_TRUE(playedExactly(lastPlayback(), {})) << "frames before the start were decoded";
}

TEST(AudioPlayerNoDevice, PlayFailsAndStaysPrepared) {
    AudioPlayer player;
    ASSERT_TRUE(openAndPrepare(player, kShortClip));
    AudioPlayer::TakeError();
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(player.GetState(), kPrepared);
    EXPECT_EQ(AudioPlayer::TakeError(), kErrorDevice);
    EXPECT_FALSE(player.Play()) << "a second try fails the same way";
    EXPECT_EQ(AudioPlayer::TakeError(), kErrorDevice);
}

TEST(AudioPlayerLoad, RapidCyclesLeaveNoHandlesAndNeverHang) {
    AudioPlayer player;
    auto cycle = [&](int i) {
        ASSERT_TRUE(openAndPrepare(player, "player/short-44k.mp3")) << "cycle " << i;
        ASSERT_TRUE(player.Play()) << "cycle " << i;
        if (i % 2) player.Pause();
        player.Seek(uint32_t(i % 5) * 50);  // may come after the end: then refused
        if (i % 3 == 0) player.Resume();
        player.Stop();
        player.Close();
        ASSERT_EQ(player.GetState(), kIdle) << "cycle " << i;
    };
    cycle(0);  // the first play loads the audio driver for good
    expectNoHandleGrowth(cycle);
}

// A caller's sink that keeps what it is given and can refuse to open.
struct RecordingSink {
    std::vector<uint8_t> pcm;
    std::atomic<size_t> bytes{0};
    int refusals = 0;  // opening calls to refuse before accepting

    static uint8_t data(const void* d, int32_t, int32_t, int32_t, uint32_t n, void* context) {
        auto* sink = static_cast<RecordingSink*>(context);
        sink->pcm.insert(sink->pcm.end(), static_cast<const uint8_t*>(d),
                         static_cast<const uint8_t*>(d) + n);
        sink->bytes += n;
        return 1;
    }
    static uint8_t control(int32_t code, void* context) {
        auto* sink = static_cast<RecordingSink*>(context);
        if (code != kSinkOpening || sink->refusals == 0) return 1;
        --sink->refusals;
        return 0;
    }
    bool attach(AudioPlayer& player) {
        return player.SetOutputMode(kOutputSink) && player.SetPcmSink(&data, &control, this);
    }
};

TEST(AudioPlayerRecovery, APlayAfterTheOutputRefusedPlaysTheWholeStream) {
    RecordingSink sink;
    sink.refusals = 1;
    AudioPlayer player;
    ASSERT_TRUE(sink.attach(player));
    ASSERT_TRUE(openAndPrepare(player, kShortClip));
    AudioPlayer::TakeError();
    EXPECT_FALSE(player.Play());
    EXPECT_EQ(AudioPlayer::TakeError(), kErrorDevice);
    EXPECT_EQ(player.GetState(), kPrepared);
    ASSERT_TRUE(player.Play()) << "the output accepts now";
    ASSERT_TRUE(ended(player));
    EXPECT_TRUE(sink.pcm == referencePcm(std::string(kShortClip) + ".raw"))
        << "heard " << sink.pcm.size() << " bytes";
}

TEST(AudioPlayerStop, NeverWaitsForAScanThroughJunk) {
    // Sound, 8 MB of junk, sound: the stop comes once the first sound is out,
    // while the thread is looking for the next frame.
    const size_t firstSound = referencePcm("traps/cbr.mp3.raw").size();
    ASSERT_GT(firstSound, 0u);
    RecordingSink sink;
    AudioPlayer player;
    ASSERT_TRUE(sink.attach(player));
    ASSERT_TRUE(openAndPrepare(player, "traps/junk-between.mp3"));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(waitUntil([&] { return sink.bytes.load() >= firstSound - 2 * kFrameBytes; }, 5000));
    const double start = nowMs();
    EXPECT_TRUE(player.Stop());
    EXPECT_LT(nowMs() - start, 200.0);
    EXPECT_EQ(player.GetState(), kOpened);
}

TEST(AudioPlayerLoad, StopFromEndedThenAtOncePlayAgainTwoHundredTimes) {
    // The thread publishes Ended just before it signals its end: what comes
    // at once after must not reuse its events or free what it still uses.
    RecordingSink sink;
    AudioPlayer player;
    ASSERT_TRUE(sink.attach(player));
    auto cycle = [&](int i) {
        ASSERT_TRUE(openAndPrepare(player, "player/short-44k.mp3")) << "cycle " << i;
        ASSERT_TRUE(player.Play()) << "cycle " << i;
        for (const double start = nowMs(); player.GetState() != kEnded;)
            ASSERT_LT(nowMs() - start, 20000.0) << "cycle " << i << " never ended";
        ASSERT_TRUE(player.Stop()) << "cycle " << i;
        ASSERT_TRUE(player.Close()) << "cycle " << i;
    };
    cycle(0);
    expectNoHandleGrowth(cycle);
}

}  // namespace
}  // namespace kz8::audio
