#include "outside/capture/camera/frame_pacer.h"

namespace kz8::capture::testkit {

namespace {
constexpr LONGLONG kMillisecondsPerSecond = 1000;
}

FramePacer::FramePacer(int framesPerSecond) : framesPerSecond_(framesPerSecond) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerSecond_ = frequency.QuadPart;
    restart();
}

LONGLONG FramePacer::now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

void FramePacer::restart() {
    start_ = now();
    frames_ = 0;
}

DWORD FramePacer::nextWait() {
    const LONGLONG period = ticksPerSecond_ / framesPerSecond_;
    LONGLONG current = now();
    LONGLONG due = start_ + frames_ * ticksPerSecond_ / framesPerSecond_;
    if (current - due > period) {
        start_ = due = current;
        frames_ = 0;
    }
    ++frames_;
    if (due <= current) return 0;
    return static_cast<DWORD>((due - current) * kMillisecondsPerSecond / ticksPerSecond_);
}

}  // namespace kz8::capture::testkit
