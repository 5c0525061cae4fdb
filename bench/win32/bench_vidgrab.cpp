// vidgrab's GetRenderDib at 640 x 480 under Wine: the cost of one call
// (the latest frame copied into a new DIB and freed again), against the
// per-frame cost of ffmpeg making and writing 640 x 480 BMPs, which the
// caller measures natively in the same run and passes in; and the frames
// that reached the DibFilter over 10 s, against the camera's nominal 30.
// Usage: bench_vidgrab STAND_INS_FOLDER PEER_MICROSECONDS_PER_FRAME
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "capture/tests/win32/capture_host.h"
#include "capture/win32/capture_state.h"
#include "common/testing/win32/capture_test_devices.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/win32/handles.h"
#include "outside/capture/capture_ids.h"

namespace {

using kz8::capture::CaptureState;
using Clock = std::chrono::steady_clock;

std::optional<uint32_t> counterNow(CaptureState& state) {
    std::string problem;
    auto picture =
        kz8::capture::testkit::waitForPicture([&] { return state.renderDib(); }, problem);
    return picture ? picture->counter : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_vidgrab STAND_INS_FOLDER PEER_MICROSECONDS_PER_FRAME\n");
        return 2;
    }
    const double peerMicroseconds = std::atof(argv[2]);
    kz8::ComApartment apartment;
    kz8::testkit::CaptureTestDevices devices(
        argv[1], {{"A", std::string("KZ8 Camera"), kz8::capture::testkit::kTestCamera,
                   std::string("RGB24 640x480")}});
    kz8::capture::testkit::CaptureHostWindow host;
    CaptureState& state = CaptureState::instance();
    if (state.initDialog(host.get()) != 1 || state.startRender() != 1 || !counterNow(state)) {
        std::fprintf(stderr, "bench_vidgrab: the camera gave no picture\n");
        state.done();
        return 1;
    }

    constexpr int kCalls = 300;
    const auto started = Clock::now();
    for (int call = 0; call < kCalls; ++call) GlobalFree(state.renderDib());
    const double microseconds =
        std::chrono::duration<double, std::micro>(Clock::now() - started).count() / kCalls;
    std::printf("GetRenderDib at 640 x 480: %.0f us a call; ffmpeg %.0f us a frame: %.2fx\n",
                microseconds, peerMicroseconds, microseconds / peerMicroseconds);

    const std::optional<uint32_t> first = counterNow(state);
    const auto from = Clock::now();
    kz8::testkit::pumpMessages(10000);
    const std::optional<uint32_t> last = counterNow(state);
    const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
    state.done();
    if (!first || !last) {
        std::fprintf(stderr, "bench_vidgrab: the frame counter could not be read\n");
        return 1;
    }
    const double rate = double(*last - *first) / seconds;
    std::printf("frames delivered over %.1f s: %.1f a second, %.0f%% of the nominal 30\n", seconds,
                rate, rate / 30 * 100);
    return 0;
}
