#include "common/testing/win32/screen_pixels.h"

#include <algorithm>

#include "common/win32/handles.h"

namespace kz8::testkit {
namespace {

// 32-bit BGRX rows of `stride` pixels, cut to width x height.
PpmImage fromBgrx(const uint8_t* pixels, int stride, int width, int height) {
    PpmImage image;
    image.width = width;
    image.height = height;
    image.rgb.resize(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* from = pixels + (size_t(y) * stride + x) * 4;
            uint8_t* to = &image.rgb[(size_t(y) * width + x) * 3];
            to[0] = from[2], to[1] = from[1], to[2] = from[0];
        }
    return image;
}

PpmImage copyFromDc(HDC source, int left, int top, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    CreatedDc copyDc(CreateCompatibleDC(source));
    Bitmap copy(CreateDIBSection(copyDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy) return {};
    {
        SelectionGuard selected(copyDc.get(), copy.get());
        BitBlt(copyDc.get(), 0, 0, width, height, source, left, top, SRCCOPY);
        GdiFlush();
    }
    return fromBgrx(static_cast<const uint8_t*>(bits), width, width, height);
}

}  // namespace

PpmImage windowImage(HWND window, const RECT& area) {
    WindowDc dc(window);
    return copyFromDc(dc.get(), area.left, area.top, area.right - area.left,
                      area.bottom - area.top);
}

PpmImage captureScreen() {
    WindowDc screen(nullptr);
    return copyFromDc(screen.get(), 0, 0, GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN));
}

PpmImage resourceBitmapImage(int id, int width, int height) {
    Bitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof size, &size)) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB};
    std::vector<uint8_t> whole(size_t(size.bmWidth) * size.bmHeight * 4);
    WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap.get(), 0, UINT(size.bmHeight), whole.data(), &info,
              DIB_RGB_COLORS);
    return fromBgrx(whole.data(), size.bmWidth, std::min(width, int(size.bmWidth)),
                    std::min(height, int(size.bmHeight)));
}

}  // namespace kz8::testkit
