#include "capture/tests/win32/capture_host.h"

#include <cstring>

#include "common/portable/dib.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"
#include "outside/capture/portable/test_pattern.h"

namespace kz8::capture::testkit {

namespace {
constexpr char kHostClass[] = "KZ8CaptureHost";
}

CaptureHostWindow::CaptureHostWindow() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kHostClass;
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&cls);  // fails harmlessly when a test before us registered it
    window_ = CreateWindowExA(0, kHostClass, "Capture host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                              40, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    kz8::testkit::pumpMessages(50);
}

CaptureHostWindow::~CaptureHostWindow() { DestroyWindow(window_); }

LRESULT CALLBACK CaptureHostWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<CaptureHostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == kRunHandler && host && host->handler_) {
        host->handler_();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::optional<RenderedPicture> takeRenderDib(void* handle, std::string& problem) {
    GlobalMemory block(static_cast<HGLOBAL>(handle));
    GlobalLockGuard bytes(block.get());
    if (!bytes || bytes.size() < kDibHeaderSize) {
        problem = "no block";
        return std::nullopt;
    }
    const DibHeader header = DibHeader::read(bytes.bytes());
    const size_t stride = dibRowStride(header.width, 24);
    const bool headerRight =
        header.size == 40 && header.width > 0 && header.height > 0 && header.planes == 1 &&
        header.bitCount == 24 && header.compression == kDibCompressionRgb &&
        header.sizeImage == stride * size_t(header.height) && header.xPelsPerMeter == 7874 &&
        header.yPelsPerMeter == 7874 && header.clrUsed == 0 && header.clrImportant == 0;
    if (!headerRight || bytes.size() < kDibHeaderSize + header.sizeImage) {
        problem = "header " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                  ", " + std::to_string(header.bitCount) + " bits, image " +
                  std::to_string(header.sizeImage) + ", block " + std::to_string(bytes.size());
        return std::nullopt;
    }
    RenderedPicture picture;
    picture.width = header.width;
    picture.height = header.height;
    const size_t rowBytes = size_t(header.width) * 3;
    picture.rows.resize(rowBytes * size_t(header.height));
    for (int row = 0; row < header.height; ++row) {
        const uint8_t* from = bytes.bytes() + kDibHeaderSize + size_t(row) * stride;
        for (size_t pad = rowBytes; pad < stride; ++pad) {
            if (from[pad] != 0) problem = "padding of row " + std::to_string(row) + " not zero";
        }
        std::memcpy(picture.rows.data() + size_t(header.height - 1 - row) * rowBytes, from,
                    rowBytes);
    }
    if (!problem.empty()) return std::nullopt;
    picture.counter =
        readFrameCounter(picture.rows.data(), picture.width, picture.height, rowBytes);
    return picture;
}

std::optional<RenderedPicture> waitForPicture(const std::function<void*()>& getDib,
                                              std::string& problem, std::optional<uint32_t> after) {
    std::optional<RenderedPicture> picture;
    kz8::testkit::pumpUntil(
        [&] {
            void* block = getDib();
            if (!block) return false;
            picture = takeRenderDib(block, problem);
            return !picture || !after || (picture->counter && *picture->counter > *after);
        },
        5000);
    return picture;
}

int drawnPixelsInClient(HWND host) {
    const std::optional<kz8::testkit::PpmImage> shot = kz8::testkit::takeScreenshot();
    if (!shot) return -1;
    RECT client{};
    GetClientRect(host, &client);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    int drawn = 0;
    for (int y = origin.y; y < origin.y + client.bottom && y < shot->height; ++y) {
        for (int x = origin.x; x < origin.x + client.right && x < shot->width; ++x) {
            const uint8_t* pixel = shot->rgb.data() + (size_t(y) * shot->width + x) * 3;
            if (pixel[0] != 255 || pixel[1] != 255 || pixel[2] != 255) ++drawn;
        }
    }
    return drawn;
}

namespace {

struct WindowSearch {
    HWND host;
    std::vector<std::string> found;
};

BOOL CALLBACK collectVisible(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window != search->host && process == GetCurrentProcessId() && IsWindowVisible(window)) {
        char cls[64] = {}, title[128] = {};
        GetClassNameA(window, cls, sizeof cls);
        GetWindowTextA(window, title, sizeof title);
        search->found.push_back(std::string(cls) + " \"" + title + "\"");
    }
    return TRUE;
}

}  // namespace

std::vector<std::string> otherVisibleWindows(HWND host) {
    WindowSearch search{host, {}};
    EnumWindows(collectVisible, LPARAM(&search));
    return search.found;
}

}  // namespace kz8::capture::testkit
