// Frames per second that reach the screen through Wine's video renderer:
// the test camera rendered 10 s at 320 x 240 and at 640 x 480, the frame
// counter it burns into its picture read from the window at the start and
// the end, against its nominal 30.
// Usage: bench_capture_render STAND_INS_FOLDER
#include <windows.h>

#include <dshow.h>

#include <cstdio>
#include <optional>

#include "common/directshow/win32/media_type.h"
#include "common/directshow/win32/video_formats.h"
#include "common/testing/win32/capture_test_devices.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/win32/handles.h"
#include "outside/capture/capture_ids.h"
#include "outside/capture/portable/test_pattern.h"

namespace {

using kz8::ComPtr;

std::optional<uint32_t> counterShown(HWND window, int width, int height) {
    const kz8::testkit::PpmImage shown = kz8::testkit::windowImage(window, {0, 0, width, height});
    if (shown.width != width || shown.height != height) return std::nullopt;
    return kz8::capture::testkit::readFrameCounter(shown.rgb.data(), width, height,
                                                   size_t(width) * 3);
}

// Frames a second over `seconds`, or a negative number when it failed.
double framesPerSecond(int width, int height, int seconds) {
    HWND host = CreateWindowExA(0, "STATIC", "camera", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                nullptr, nullptr, nullptr, nullptr);
    double rate = -1;
    {
        ComPtr<IGraphBuilder> graph;
        ComPtr<IBaseFilter> camera;
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         graph.putVoid());
        CoCreateInstance(kz8::capture::testkit::kTestCamera, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IBaseFilter, camera.putVoid());
        ComPtr<IEnumPins> pins;
        ComPtr<IPin> out;
        if (!graph || !camera || FAILED(camera->EnumPins(pins.put())) ||
            pins->Next(1, out.put(), nullptr) != S_OK)
            return rate;
        auto config = out.query<IAMStreamConfig>(IID_IAMStreamConfig);
        kz8::directshow::MediaType type =
            kz8::directshow::rgb24VideoType(width, height, kz8::directshow::kFrameDuration30Fps);
        graph->AddFilter(camera.get(), L"Camera");
        if (!config || FAILED(config->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.get()))) ||
            FAILED(graph->Render(out.get())))
            return rate;
        auto video = graph.query<IVideoWindow>(IID_IVideoWindow);
        video->put_Owner(OAHWND(host));
        video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
        video->SetWindowPosition(0, 0, width, height);
        video->put_Visible(OATRUE);
        auto control = graph.query<IMediaControl>(IID_IMediaControl);
        control->Run();
        kz8::testkit::pumpMessages(1000);
        const auto first = counterShown(host, width, height);
        const DWORD started = GetTickCount();
        kz8::testkit::pumpMessages(DWORD(seconds) * 1000);
        const auto last = counterShown(host, width, height);
        const DWORD elapsed = GetTickCount() - started;
        control->Stop();
        video->put_Visible(OAFALSE);
        video->put_Owner(0);
        if (first && last) rate = double(*last - *first) * 1000.0 / elapsed;
    }
    DestroyWindow(host);
    return rate;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_capture_render STAND_INS_FOLDER\n");
        return 2;
    }
    kz8::ComApartment apartment;
    kz8::testkit::CaptureTestDevices devices(argv[1], {});
    for (const auto& [width, height] : {std::pair{320, 240}, std::pair{640, 480}}) {
        const double rate = framesPerSecond(width, height, 10);
        if (rate < 0) {
            std::fprintf(stderr, "bench_capture_render: %dx%d did not render\n", width, height);
            return 1;
        }
        std::printf("%d x %d through Wine's renderer over 10 s: %.1f frames/s, %.0f%% of 30\n",
                    width, height, rate, rate / 30 * 100);
    }
    return 0;
}
