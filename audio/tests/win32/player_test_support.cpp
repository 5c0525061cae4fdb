#include <gtest/gtest.h>

#include "player_test_support.h"

#include <windows.h>

#include "common/testing/win32/wine_run.h"

namespace kz8::audio::testing {

namespace {
constexpr DWORD kPollMs = 5;
}

size_t capturedSize() { return kz8::testing::capturedPcm().size(); }

std::vector<uint8_t> lastPlayback() { return kz8::testing::capturedPcm(); }

::testing::AssertionResult playedExactly(const std::vector<uint8_t>& captured,
                                         const std::vector<uint8_t>& reference) {
    if (captured.size() < reference.size())
        return ::testing::AssertionFailure()
               << "captured " << captured.size() << " bytes, reference has " << reference.size();
    for (size_t i = 0; i < reference.size(); ++i)
        if (captured[i] != reference[i])
            return ::testing::AssertionFailure() << "first difference at byte " << i << " of "
                                                 << reference.size();
    for (size_t i = reference.size(); i < captured.size(); ++i)
        if (captured[i] != 0)
            return ::testing::AssertionFailure()
                   << "sound after the end: byte " << i << " of " << captured.size();
    return ::testing::AssertionSuccess();
}

std::vector<uint8_t> referencePcm(const std::string& fixture) {
    return kz8::testing::readFile(kz8::testing::fixturePath(fixture)).value_or(std::vector<uint8_t>{});
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

}  // namespace kz8::audio::testing
