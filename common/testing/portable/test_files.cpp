#include "common/testing/portable/test_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace kz8::testkit {

std::string fixturePath(const std::string& name) {
    return std::string(KZ8_FIXTURES_DIR) + "/" + name;
}

std::optional<std::vector<uint8_t>> readFile(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

namespace {

// Reads one decimal header field of a PPM, skipping blanks and comments.
bool readPpmNumber(const std::vector<uint8_t>& b, size_t& pos, int& out) {
    for (;;) {
        while (pos < b.size() && std::isspace(b[pos])) ++pos;
        if (pos < b.size() && b[pos] == '#') {
            while (pos < b.size() && b[pos] != '\n') ++pos;
            continue;
        }
        break;
    }
    if (pos >= b.size() || !std::isdigit(b[pos])) return false;
    long value = 0;
    while (pos < b.size() && std::isdigit(b[pos]) && value < 1000000)
        value = value * 10 + (b[pos++] - '0');
    out = int(value);
    return true;
}

}  // namespace

std::optional<PpmImage> PpmImage::parse(const std::vector<uint8_t>& b) {
    if (b.size() < 2 || b[0] != 'P' || b[1] != '6') return std::nullopt;
    size_t pos = 2;
    PpmImage image;
    int maxval = 0;
    if (!readPpmNumber(b, pos, image.width) || !readPpmNumber(b, pos, image.height) ||
        !readPpmNumber(b, pos, maxval) || maxval != 255 || pos >= b.size())
        return std::nullopt;
    ++pos;  // the single blank after maxval
    size_t need = size_t(image.width) * size_t(image.height) * 3;
    if (image.width <= 0 || image.height <= 0 || b.size() - pos < need) return std::nullopt;
    image.rgb.assign(b.begin() + long(pos), b.begin() + long(pos + need));
    return image;
}

Rgb PpmImage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return {p[0], p[1], p[2]};
}

std::optional<size_t> findBytes(const std::vector<uint8_t>& haystack,
                                const std::vector<uint8_t>& needle) {
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
    if (it == haystack.end()) return std::nullopt;
    return size_t(it - haystack.begin());
}

std::vector<uint8_t> withoutSilentFrames(const std::vector<uint8_t>& pcm, size_t frameBytes) {
    std::vector<uint8_t> sound;
    sound.reserve(pcm.size());
    for (size_t i = 0; i + frameBytes <= pcm.size(); i += frameBytes) {
        auto frame = pcm.begin() + long(i);
        if (std::any_of(frame, frame + long(frameBytes), [](uint8_t b) { return b != 0; }))
            sound.insert(sound.end(), frame, frame + long(frameBytes));
    }
    return sound;
}

}  // namespace kz8::testkit
