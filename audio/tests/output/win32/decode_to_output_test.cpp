// Reader, decoder and output together, as playback uses them: what reaches
// the wave device or the capture file is exactly mpg123's decode.
#include <windows.h>

#include <gtest/gtest.h>

#include "audio/portable/frame_decoder.h"
#include "audio/portable/wave_file_layout.h"
#include "audio/win32/wave_output.h"
#include "audio/win32/win32_file_source.h"
#include "common/testing/win32/wine_run.h"

namespace kz8::audio {
namespace {

using kz8::testkit::capturedPcm;
using kz8::testkit::fixturePath;
using kz8::testkit::readFile;

constexpr const char* kStream = "mp3reader/l3-44k-cbr128.mp3";

// Decodes the whole stream into output, which must already be open.
void playStream(const std::string& path, WaveOutput& output) {
    PlaybackParams params;
    params.fileName = path;
    Mp3StreamReader reader(params, &openWin32File);
    reader.open();
    DecoderSettings settings;
    settings.core = "generic";
    FrameDecoder decoder;
    decoder.prepare(settings);
    for (int result; (result = reader.readFrame()) != kEndOfStream;)
        if (result == kFrameRead) decoder.decodeFrame(reader, output);
    decoder.flushBlock(output);
}

// Plays the stream on the wave device; drainFirst false closes with blocks
// still queued. What the device played must be exactly the reference.
void expectDevicePlaysReference(bool drainFirst) {
    auto reference = readFile(fixturePath(std::string(kStream) + ".1to1.raw"));
    ASSERT_TRUE(reference);
    WaveOutput output;
    OutputSettings settings;
    settings.format = {44100, 2, 16};
    output.configure(settings);
    output.open();
    playStream(fixturePath(kStream), output);
    if (drainFirst) output.drain();
    output.close();
    // The capture may hold device silence (a writer that fell behind, the end
    // of the last period); the sound itself must be exactly the reference.
    const auto captured = kz8::testkit::withoutSilentFrames(capturedPcm(), 4);
    const auto expected = kz8::testkit::withoutSilentFrames(*reference, 4);
    EXPECT_EQ(captured.size(), expected.size());
    EXPECT_TRUE(captured == expected) << "the device did not play exactly the decoded PCM";
}

OutputSettings settingsFor(int32_t mode) {
    OutputSettings s;
    s.mode = mode;
    s.format = {44100, 2, 16};
    return s;
}

TEST(DecodeToWaveDevice, CapturedPcmIsTheReferenceDecode) { expectDevicePlaysReference(true); }

TEST(DecodeToWaveDevice, CloseWithBuffersQueuedWaitsForThem) { expectDevicePlaysReference(false); }

TEST(DecodeToWaveFile, DataChunkIsTheReferenceDecode) {
    auto reference = readFile(fixturePath(std::string(kStream) + ".1to1.raw"));
    ASSERT_TRUE(reference);
    std::string path = kz8::testkit::environmentText("KZ8_RUN_DIR_WIN") + "\\decoded.wav";
    OutputSettings s = settingsFor(kOutputWaveFile);
    s.captureFile = path;
    {
        WaveOutput output;
        output.configure(s);
        output.open();
        playStream(fixturePath(kStream), output);
    }
    auto file = readFile(path);
    ASSERT_TRUE(file);
    auto parsed = parseWaveFile(*file);
    ASSERT_TRUE(parsed) << "lengths not written on close, or layout wrong";
    std::vector<uint8_t> data(file->begin() + parsed->dataOffset, file->end());
    EXPECT_TRUE(data == *reference);
}

}  // namespace
}  // namespace kz8::audio
