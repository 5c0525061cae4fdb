// Keeps a live stream at its nominal rate: frames fall due at fixed times
// from a start, so the time spent making and delivering one does not slow
// the rate down. After a hold-up (a pause, a slow receiver) the schedule
// starts again from now rather than catching up in a burst.
#pragma once

#include <windows.h>

namespace kz8::capture::testkit {

class FramePacer {
public:
    explicit FramePacer(int framesPerSecond);

    // The next frame falls due at once.
    void restart();
    // Milliseconds to wait before the next frame, which it counts as taken.
    DWORD nextWait();

private:
    static LONGLONG now();

    LONGLONG ticksPerSecond_;
    int framesPerSecond_;
    LONGLONG start_ = 0;
    LONGLONG frames_ = 0;
};

}  // namespace kz8::capture::testkit
