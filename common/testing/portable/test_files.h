// Reading test inputs and outputs: fixture files and PPM screenshots.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz8::testkit {

// Path of a file made by scripts/make-fixtures.sh.
std::string fixturePath(const std::string& name);

// Whole file, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> readFile(const std::string& path);

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A binary PPM (P6, maxval 255), as djpeg and our screenshots write them.
struct PpmImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top-down rows, 3 bytes a pixel

    static std::optional<PpmImage> parse(const std::vector<uint8_t>& bytes);
    Rgb at(int x, int y) const;
};

// Position of needle in haystack, or nothing.
std::optional<size_t> findBytes(const std::vector<uint8_t>& haystack,
                                const std::vector<uint8_t>& needle);

// The PCM without its all-zero sample frames. Wine's wave device plays
// silence when a writer falls behind on a loaded machine; comparing sound
// without silent frames keeps every lost, repeated or changed sample visible
// while such gaps pass.
std::vector<uint8_t> withoutSilentFrames(const std::vector<uint8_t>& pcm, size_t frameBytes);

}  // namespace kz8::testkit
