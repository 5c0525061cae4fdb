#include "screen_probe.h"


namespace kz8::testing {

static bool inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

static size_t countDifferences(const PpmImage& screen, const PpmImage& expected, int left, int top,
                               const RECT& skip) {
    size_t differing = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const int sx = left + x, sy = top + y;
            if (inside(skip, sx, sy)) continue;
            if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height ||
                !(screen.at(sx, sy) == expected.at(x, y)))
                ++differing;
        }
    return differing;
}

bool showsImageAt(const PpmImage& screen, const PpmImage& expected, int left, int top,
                  const RECT& skip) {
    return expected.width > 0 && countDifferences(screen, expected, left, top, skip) == 0;
}

size_t differingPixels(const PpmImage& screen, const PpmImage& expected, int left, int top) {
    return countDifferences(screen, expected, left, top, RECT{});
}

PpmImage fixtureImage(const std::string& name) {
    auto bytes = readFile(fixturePath(name));
    if (!bytes) return {};
    return PpmImage::parse(*bytes).value_or(PpmImage{});
}

}  // namespace kz8::testing
