#include <gtest/gtest.h>

#include "audio/tests/win32/player_test_support.h"

#include <windows.h>

#include "common/testing/win32/wine_run.h"

namespace kz8::audio::testkit {

namespace {
constexpr DWORD kPollMs = 5;
}

size_t capturedSize() { return kz8::testkit::capturedPcm().size(); }

std::vector<uint8_t> lastPlayback() { return kz8::testkit::capturedPcm(); }

::testing::AssertionResult playedExactly(const std::vector<uint8_t>& capturedWithGaps,
                                         const std::vector<uint8_t>& referenceWithSilence) {
    constexpr size_t kStereoFrameBytes = 4;
    const auto captured = kz8::testkit::withoutSilentFrames(capturedWithGaps, kStereoFrameBytes);
    const auto reference =
        kz8::testkit::withoutSilentFrames(referenceWithSilence, kStereoFrameBytes);
    if (captured.size() < reference.size())
        return ::testing::AssertionFailure()
               << "captured " << captured.size() << " bytes of sound, reference has "
               << reference.size();
    for (size_t i = 0; i < reference.size(); ++i)
        if (captured[i] != reference[i])
            return ::testing::AssertionFailure() << "first difference at byte " << i << " of "
                                                 << reference.size() << " bytes of sound";
    if (captured.size() > reference.size())
        return ::testing::AssertionFailure()
               << "sound after the end: " << captured.size() - reference.size() << " bytes";
    return ::testing::AssertionSuccess();
}

std::vector<uint8_t> referencePcm(const std::string& fixture) {
    return kz8::testkit::readFile(kz8::testkit::fixturePath(fixture))
        .value_or(std::vector<uint8_t>{});
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const double until = nowMs() + timeoutMs;
    while (!done()) {
        if (nowMs() > until) return false;
        Sleep(kPollMs);
    }
    return true;
}

double nowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace kz8::audio::testkit
