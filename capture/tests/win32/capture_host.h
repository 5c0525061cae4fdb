// What the vidgrab tests share: the host's capture window, the DIB a host
// gets back read as a picture, and the windows a run leaves visible.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kz8::capture::testkit {

// A visible top-level window on the test's thread, as a host's capture
// window. A posted kRunHandler message runs the handler set, which is how
// a test acts as a host handler called from inside a modal loop.
class CaptureHostWindow {
public:
    static constexpr UINT kRunHandler = WM_APP + 7;

    CaptureHostWindow();
    ~CaptureHostWindow();
    CaptureHostWindow(const CaptureHostWindow&) = delete;
    CaptureHostWindow& operator=(const CaptureHostWindow&) = delete;

    HWND get() const { return window_; }
    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::function<void()> handler_;
};

// A DIB as GetRenderDib hands it out, with its rows turned top-down and
// packed, and the counter of the camera's pattern they carry.
struct RenderedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rows;
    std::optional<uint32_t> counter;
};

// Reads and frees the block; nothing, with the reason, when the header or
// size is not what vidgrab promises (40, w, +h, 1, 24, BI_RGB, stride x h,
// 7874, 7874, no colour table) or the row padding is not zero.
std::optional<RenderedPicture> takeRenderDib(void* block, std::string& problem);

// Pumps messages until `getDib` gives a picture whose counter is above
// `after` (any picture when `after` is empty), or 5 s pass.
// `problem` tells what was wrong with a picture that came but was refused.
std::optional<RenderedPicture> waitForPicture(const std::function<void*()>& getDib,
                                              std::string& problem,
                                              std::optional<uint32_t> after = std::nullopt);

// Pixels of the host's white client area that are not white on a
// screenshot: video drawn into it shows here. -1 without a screenshot.
int drawnPixelsInClient(HWND host);

// The visible top-level windows of this process other than `host`.
std::vector<std::string> otherVisibleWindows(HWND host);

}  // namespace kz8::capture::testkit
