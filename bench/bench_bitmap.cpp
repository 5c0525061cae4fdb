// The template library's bitmap reader in process on 12-megapixel files,
// against `convert FILE ppm:- > /dev/null` on the same files in the same run
// (whose time includes ImageMagick's start-up). Usage: bench_bitmap FILE...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "skinui/portable/bitmap_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.bmp...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const std::string peer = "convert '" + path + "' ppm:- > /dev/null";
        double ours = 1e9, theirs = 1e9;
        for (int round = 0; round < 3; ++round) {
            auto start = Clock::now();
            std::ifstream in(path, std::ios::binary | std::ios::ate);
            std::vector<uint8_t> bytes(size_t(in.tellg()));
            in.seekg(0);
            in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
            const auto dib = kz8::skinui::readBitmapFile(bytes.data(), bytes.size());
            ours = std::min(ours, secondsSince(start));
            if (!dib) {
                std::fprintf(stderr, "the reader refused %s\n", path.c_str());
                return 1;
            }
            start = Clock::now();
            if (std::system(peer.c_str()) != 0) return 1;
            theirs = std::min(theirs, secondsSince(start));
        }
        std::printf("%-28s ours %8.1f ms   convert %8.1f ms   ratio %.2f (goal <= 0.5)\n",
                    path.substr(path.find_last_of('/') + 1).c_str(), ours * 1000, theirs * 1000,
                    ours / theirs);
    }
    return 0;
}
