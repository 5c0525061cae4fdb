#include "screen_probe.h"

#include <algorithm>

#include "common/win32/handles.h"

namespace kz8::testing {

PpmImage captureScreen() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    WindowDc screen(nullptr);
    CreatedDc copyDc(CreateCompatibleDC(screen.get()));
    Bitmap copy(CreateDIBSection(copyDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    PpmImage image;
    if (!copy) return image;
    {
        SelectionGuard selected(copyDc.get(), copy.get());
        BitBlt(copyDc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    image.width = width;
    image.height = height;
    image.rgb.resize(size_t(width) * height * 3);
    const auto* source = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        image.rgb[i * 3] = source[i * 4 + 2];
        image.rgb[i * 3 + 1] = source[i * 4 + 1];
        image.rgb[i * 3 + 2] = source[i * 4];
    }
    return image;
}

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

PpmImage bitmapImage(int id, int width, int height) {
    Bitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof size, &size)) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB};
    std::vector<uint8_t> whole(size_t(size.bmWidth) * size.bmHeight * 4);
    WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap.get(), 0, UINT(size.bmHeight), whole.data(), &info, DIB_RGB_COLORS);
    PpmImage image;
    image.width = std::min(width, int(size.bmWidth));
    image.height = std::min(height, int(size.bmHeight));
    image.rgb.resize(size_t(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* from = &whole[(size_t(y) * size.bmWidth + x) * 4];
            uint8_t* to = &image.rgb[(size_t(y) * image.width + x) * 3];
            to[0] = from[2], to[1] = from[1], to[2] = from[0];
        }
    return image;
}

}  // namespace kz8::testing
