#include "kinetta/tests/screen_probe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kz8::testkit {

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

double meanDifference(const PpmImage& screen, const PpmImage& expected, int left, int top,
                      const RECT& within) {
    double total = 0;
    size_t counted = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const int sx = left + x, sy = top + y;
            if (!inside(within, sx, sy) || sx >= screen.width || sy >= screen.height) continue;
            const Rgb a = screen.at(sx, sy), b = expected.at(x, y);
            total += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
            ++counted;
        }
    return counted ? total / (3.0 * double(counted)) : 255.0;
}

double closestClipFrameDifference(const PpmImage& screen, int left, int top) {
    double closest = 255.0;
    for (int frame = 1;; ++frame) {
        char name[64];
        std::snprintf(name, sizeof name, "cards/clip-frames/%02d.ppm", frame);
        const PpmImage image = fixtureImage(name);
        if (image.width == 0) break;
        const RECT all{left, top, left + image.width, top + image.height};
        closest = std::min(closest, meanDifference(screen, image, left, top, all));
    }
    return closest;
}

PpmImage fixtureImage(const std::string& name) {
    auto bytes = readFile(fixturePath(name));
    if (!bytes) return {};
    return PpmImage::parse(*bytes).value_or(PpmImage{});
}

}  // namespace kz8::testkit
