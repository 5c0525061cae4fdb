// Reads every frame of a one-hour 128 kbit/s MP3 with our stream reader (no
// decoding) and times ffprobe listing the packets of the same file, in the
// same run. Usage: bench_mp3_reader FILE.mp3
#include "audio/portable/mp3_stream_reader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long readAllFrames(const std::string& path) {
    kz8::audio::PlaybackParams params;
    params.fileName = path;
    kz8::audio::Mp3StreamReader reader(params);
    reader.open();
    long frames = 0;
    int result = 0;
    while ((result = reader.readFrame()) != kz8::audio::kEndOfStream)
        frames += result == kz8::audio::kFrameRead;
    return frames;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.mp3\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    constexpr int kRounds = 3;  // best of three, for both

    double ours = 1e9;
    long frames = 0;
    try {
        for (int i = 0; i < kRounds; ++i) {
            const auto start = Clock::now();
            frames = readAllFrames(path);
            ours = std::min(ours, secondsSince(start));
        }
    } catch (int code) {
        std::fprintf(stderr, "reader failed with error %d\n", code);
        return 1;
    }

    const std::string peer =
        "ffprobe -v error -show_packets -select_streams a '" + path + "' > /dev/null";
    double theirs = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        if (std::system(peer.c_str()) != 0) {
            std::fprintf(stderr, "peer failed: %s\n", peer.c_str());
            return 1;
        }
        theirs = std::min(theirs, secondsSince(start));
    }

    std::printf("mp3 reader: %ld frames of a one-hour 128 kbit/s file\n", frames);
    std::printf("  ours (Mp3StreamReader, every frame):  %.3f s\n", ours);
    std::printf("  peer (ffprobe -show_packets):         %.3f s\n", theirs);
    std::printf("  ratio peer/ours: %.1fx\n", theirs / ours);
    return 0;
}
