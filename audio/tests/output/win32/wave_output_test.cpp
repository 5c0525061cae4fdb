// The output in each mode against the real platform under Wine: the wave
// device's played bytes come back through the harness's capture file.
#include "audio/win32/wave_output.h"

#include <windows.h>
// After windows.h, which they need.
#include <mmsystem.h>

#include <gtest/gtest.h>

#include "audio/portable/engine_error.h"
#include "audio/portable/wave_file_layout.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"

namespace kz8::audio {
namespace {

using kz8::testkit::capturedPcm;
using kz8::testkit::findBytes;

// Blocks of a pattern that cannot occur by accident, each one different.
std::vector<std::vector<uint8_t>> patternBlocks(int count, size_t size) {
    std::vector<std::vector<uint8_t>> blocks(static_cast<size_t>(count),
                                             std::vector<uint8_t>(size));
    uint32_t state = 2463534242u;
    for (auto& block : blocks)
        for (auto& b : block) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            b = uint8_t(state);
        }
    return blocks;
}

std::vector<uint8_t> joined(const std::vector<std::vector<uint8_t>>& blocks) {
    std::vector<uint8_t> all;
    for (const auto& b : blocks) all.insert(all.end(), b.begin(), b.end());
    return all;
}

OutputSettings deviceSettings(int32_t mode = kOutputWaveDevice) {
    OutputSettings s;
    s.mode = mode;
    s.format = {44100, 2, 16};
    s.blockSize = 16384;
    s.bufferCount = 8;
    return s;
}

// Counts the sink calls of a listener or sink.
struct Listener {
    std::vector<int32_t> controls;
    std::vector<uint8_t> data;
    int calls = 0;
    int32_t rate = 0;
    static uint8_t onData(const void* d, int32_t, int32_t, int32_t r, uint32_t n, void* c) {
        auto* self = static_cast<Listener*>(c);
        self->rate = r;
        self->data.insert(self->data.end(), static_cast<const uint8_t*>(d),
                          static_cast<const uint8_t*>(d) + n);
        ++self->calls;
        return 1;
    }
    static uint8_t onControl(int32_t code, void* c) {
        static_cast<Listener*>(c)->controls.push_back(code);
        return 1;
    }
    PcmSink sink() { return {&onData, &onControl, this}; }
};

TEST(WaveDeviceOutput, EveryBlockIsPlayedInOrderFirstOneIncluded) {
    auto blocks = patternBlocks(12, 16384);  // more than the queue holds
    WaveOutput output;
    output.configure(deviceSettings());
    output.open();
    for (const auto& block : blocks)
        EXPECT_EQ(output.writeBlock(block.data(), uint32_t(block.size())), 16384);
    output.drain();
    output.close();

    // Device silence from a writer that fell behind may sit between blocks.
    std::vector<uint8_t> captured = kz8::testkit::withoutSilentFrames(capturedPcm(), 4);
    auto at = findBytes(captured, kz8::testkit::withoutSilentFrames(joined(blocks), 4));
    ASSERT_TRUE(at) << "captured " << captured.size() << " bytes, not all blocks in order";
    EXPECT_EQ(*at, 0u) << "something was played before the first block";
}

TEST(WaveDeviceOutput, PausedDeviceDropsBlocks) {
    auto blocks = patternBlocks(3, 4096);
    WaveOutput output;
    output.configure(deviceSettings());
    output.open();
    EXPECT_EQ(output.writeBlock(blocks[0].data(), 4096), 4096);
    output.pause();
    EXPECT_EQ(output.writeBlock(blocks[1].data(), 4096), -1);
    output.restart();
    EXPECT_EQ(output.writeBlock(blocks[2].data(), 4096), 4096);
    output.drain();
    output.close();
    std::vector<uint8_t> captured = capturedPcm();
    EXPECT_TRUE(findBytes(captured, blocks[2]));
    EXPECT_FALSE(findBytes(captured, blocks[1])) << "a block written while paused was played";
}

TEST(WaveDeviceOutput, ListenerHearsEachBlockWrittenAndReturned) {
    Listener listener;
    OutputSettings s = deviceSettings();
    s.notifySink = true;
    s.sink = listener.sink();
    auto blocks = patternBlocks(3, 8192);
    WaveOutput output;
    output.configure(s);
    output.open();
    for (const auto& block : blocks) output.writeBlock(block.data(), 8192);
    output.drain();
    output.close();
    EXPECT_EQ(listener.controls, (std::vector<int32_t>{kSinkOpening, kSinkClosing}));
    EXPECT_EQ(listener.calls, 6) << "once when written, once when played";
}

TEST(WaveDeviceOutput, RatesAboveCdRateAreClampedForTheDevice) {
    Listener listener;
    OutputSettings s = deviceSettings();
    s.format.sampleRate = 48000;
    s.notifySink = true;
    s.sink = listener.sink();
    auto blocks = patternBlocks(1, 4096);
    WaveOutput output;
    output.configure(s);
    output.open();
    output.writeBlock(blocks[0].data(), 4096);
    output.drain();
    output.close();
    EXPECT_EQ(listener.rate, 44100) << "the device was opened above 44100 Hz";
}

TEST(WaveFileOutput, WritesTheRiffLayoutWithAllBlocks) {
    std::string path = kz8::testkit::environmentText("KZ8_RUN_DIR_WIN") + "\\capture.wav";
    ASSERT_GT(path.size(), 12u);
    OutputSettings s = deviceSettings(kOutputWaveFile);
    s.format = {22050, 1, 16};
    s.captureFile = path;
    auto blocks = patternBlocks(3, 1000);
    {
        WaveOutput output;
        output.configure(s);
        output.open();
        for (const auto& block : blocks) EXPECT_EQ(output.writeBlock(block.data(), 1000), 1000);
    }  // closing writes the lengths
    auto bytes = kz8::testkit::readFile(path);
    ASSERT_TRUE(bytes);
    auto parsed = parseWaveFile(*bytes);
    ASSERT_TRUE(parsed) << "not the 46-byte header layout";
    EXPECT_EQ(parsed->format.sampleRate, 22050);
    EXPECT_EQ(parsed->format.channels, 1);
    std::vector<uint8_t> pcm(bytes->begin() + parsed->dataOffset, bytes->end());
    EXPECT_EQ(pcm, joined(blocks));
}

TEST(WaveFileOutput, UncreatableFileThrowsDeviceError) {
    OutputSettings s = deviceSettings(kOutputWaveFile);
    s.captureFile = "Z:\\no\\such\\folder\\x.wav";
    WaveOutput output;
    output.configure(s);
    takeEngineError();
    EXPECT_THROW(output.open(), int);
    EXPECT_EQ(takeEngineError(), kErrorDevice);
    EXPECT_FALSE(output.isOpen());
}

TEST(SinkModeOutput, BlocksGoToTheSinkNotTheDevice) {
    Listener sink;
    OutputSettings s = deviceSettings(kOutputSink);
    s.sink = sink.sink();
    auto blocks = patternBlocks(2, 512);
    size_t capturedBefore = capturedPcm().size();
    WaveOutput output;
    output.configure(s);
    output.open();
    for (const auto& block : blocks) output.writeBlock(block.data(), 512);
    output.close();
    EXPECT_EQ(sink.data, joined(blocks));
    EXPECT_EQ(sink.controls, (std::vector<int32_t>{kSinkOpening, kSinkClosing}));
    EXPECT_EQ(capturedPcm().size(), capturedBefore) << "the sink mode must not touch the device";
}

TEST(DirectSoundOutput, PlaysThroughTheDevice) {
    OutputSettings s = deviceSettings(kOutputDirectSound);
    s.timePerFrameMs = 26.12;
    // A loud constant signal: DirectSound mixes, so the exact bytes may not
    // survive, and the captured device runs faster than real time, so the
    // looping ring is heard more often than the feeder refills it. What must
    // hold: the sound reaches the device, and draining ends.
    std::vector<uint8_t> block(16384);
    for (size_t i = 0; i + 1 < block.size(); i += 2) {
        block[i] = 0x00;
        block[i + 1] = 0x40;
    }
    WaveOutput output;
    output.configure(s);
    output.open();
    bool leftRight = false;
    EXPECT_TRUE(output.capabilities(leftRight));
    for (int i = 0; i < 11; ++i) output.writeBlock(block.data(), uint32_t(block.size()));
    output.drain();
    output.close();
    std::vector<uint8_t> captured = capturedPcm();
    size_t loud = 0;
    for (size_t i = 1; i < captured.size(); i += 2)
        if (captured[i] >= 0x30 && captured[i] <= 0x50) ++loud;
    EXPECT_GT(loud * 2, size_t(11 * 16384) / 10) << "captured " << captured.size();
}

TEST(WaveOutputVolume, SetWhileClosedOpensTheDeviceForTheMoment) {
    WaveOutput output;
    output.configure(deviceSettings());
    takeEngineError();
    EXPECT_TRUE(output.setVolume(0x80004000)) << "error " << takeEngineError();
    uint32_t volume = 0;
    EXPECT_TRUE(output.getVolume(volume));
    // Every momentary device is closed again. Wine's sound system stops
    // answering once about thirty devices are left open, so forty more calls
    // finish only if each device was closed.
    struct Calls {
        WaveOutput& output;
        static DWORD WINAPI run(void* self) {
            uint32_t v = 0;
            for (int i = 0; i < 40; ++i)
                if (!static_cast<Calls*>(self)->output.setVolume(0x80004000) ||
                    !static_cast<Calls*>(self)->output.getVolume(v))
                    return 1;
            return 0;
        }
    } calls{output};
    kz8::KernelHandle worker(CreateThread(nullptr, 0, &Calls::run, &calls, 0, nullptr));
    ASSERT_TRUE(worker);
    ASSERT_EQ(WaitForSingleObject(worker.get(), 20000), WAIT_OBJECT_0)
        << "momentary devices stay open";
    DWORD failed = 1;
    GetExitCodeThread(worker.get(), &failed);
    EXPECT_EQ(failed, 0u);
}

TEST(WaveOutputVolume, OpenDeviceKeepsWhatWasSetAndNoSecondDeviceOpens) {
    // Each open of the captured device starts its capture anew: a second
    // device opened for the volume calls would lose the first blocks.
    const auto blocks = patternBlocks(6, 16384);
    WaveOutput output;
    output.configure(deviceSettings());
    output.open();
    // Full volume between the blocks, so that the device plays them unchanged.
    for (int i = 0; i < 3; ++i) output.writeBlock(blocks[size_t(i)].data(), 16384);
    uint32_t volume = 0;
    ASSERT_TRUE(output.setVolume(0xFFFFFFFF));
    ASSERT_TRUE(output.getVolume(volume));
    for (int i = 3; i < 6; ++i) output.writeBlock(blocks[size_t(i)].data(), 16384);
    output.drain();
    ASSERT_TRUE(output.setVolume(0x80004000));
    ASSERT_TRUE(output.getVolume(volume));
    EXPECT_EQ(volume, 0x80004000u);
    output.close();
    EXPECT_TRUE(findBytes(capturedPcm(), joined(blocks))) << "the blocks did not all play";
}

TEST(WaveOutputVolume, OtherModesAnswerWithoutThrowing) {
    WaveOutput output;
    bool leftRight = true;
    output.configure(deviceSettings(kOutputSink));
    EXPECT_FALSE(output.capabilities(leftRight));
    EXPECT_FALSE(output.setVolume(0xFFFFFFFF));
    output.configure(deviceSettings(kOutputDirectSound));
    EXPECT_TRUE(output.capabilities(leftRight));
    takeEngineError();
    EXPECT_FALSE(output.setVolume(0xFFFFFFFF)) << "no DirectSound buffer yet";
    EXPECT_EQ(takeEngineError(), kErrorState);
}

TEST(WaveDeviceOutputNoDevice, OpenFailsWithDeviceError) {
    ASSERT_EQ(waveOutGetNumDevs(), 0u);
    WaveOutput output;
    output.configure(deviceSettings());
    takeEngineError();
    EXPECT_THROW(output.open(), int);
    EXPECT_EQ(takeEngineError(), kErrorDevice);
    bool leftRight = false;
    EXPECT_FALSE(output.capabilities(leftRight));
    uint32_t volume = 0;
    EXPECT_FALSE(output.getVolume(volume));
}

}  // namespace
}  // namespace kz8::audio
