// Decodes a three-minute MP3 through our reader and decoder into a sink that
// discards the blocks, and times `mpg123 -q --no-gapless -s FILE > /dev/null`
// on the same file in the same run. Usage: bench_decoder FILE.mp3
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/portable/frame_decoder.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct DiscardingSink : kz8::audio::BlockOutput {
    uint64_t bytes = 0;
    int32_t writeBlock(const uint8_t*, uint32_t length) override {
        bytes += length;
        return int32_t(length);
    }
};

uint64_t decodeAll(const std::string& path) {
    kz8::audio::PlaybackParams params;
    params.fileName = path;
    kz8::audio::Mp3StreamReader reader(params);
    reader.open();
    kz8::audio::FrameDecoder decoder;
    decoder.prepare({});
    DiscardingSink sink;
    for (int result; (result = reader.readFrame()) != kz8::audio::kEndOfStream;)
        if (result == kz8::audio::kFrameRead) decoder.decodeFrame(reader, sink);
    decoder.flushBlock(sink);
    return sink.bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.mp3\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    constexpr int kRounds = 5;  // best of five, for both
    double ours = 1e9, theirs = 1e9;
    uint64_t bytes = 0;
    const std::string peer = "mpg123 -q --no-gapless -s '" + path + "' > /dev/null";
    // Alternate the two so that a busy machine treats both alike.
    for (int i = 0; i < kRounds; ++i) {
        auto start = Clock::now();
        try {
            bytes = decodeAll(path);
        } catch (int code) {
            std::fprintf(stderr, "decoding failed with error %d\n", code);
            return 1;
        }
        ours = std::min(ours, secondsSince(start));
        start = Clock::now();
        if (std::system(peer.c_str()) != 0) {
            std::fprintf(stderr, "peer failed: %s\n", peer.c_str());
            return 1;
        }
        theirs = std::min(theirs, secondsSince(start));
    }
    std::printf("decoder: three minutes of 128 kbit/s stereo, %llu bytes of PCM\n",
                static_cast<unsigned long long>(bytes));
    std::printf("  ours (reader + decoder + blocks): %.3f s\n", ours);
    std::printf("  peer (mpg123 -s > /dev/null):     %.3f s\n", theirs);
    std::printf("  ratio ours/peer: %.3f (goal at most 1.05)\n", ours / theirs);
    // What playing costs the machine, apart from the output.
    constexpr double kBytesPerMinute = 44100.0 * 4 * 60;
    std::printf("  CPU per minute of audio (reader + decoder): %.1f ms\n",
                ours * 1000.0 / (double(bytes) / kBytesPerMinute));
    return 0;
}
