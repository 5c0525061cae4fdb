// What the player and preview tests share: reading what the captured device
// played since a mark, comparing it with a reference decode, and waiting for
// a state with a generous bound.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kz8::audio::testkit {

// Bytes in the capture file now, to see whether the device is playing.
size_t capturedSize();
// What the device played since it was last opened: each open of the
// captured device starts its file anew, and each play opens the device.
std::vector<uint8_t> lastPlayback();

// The captured PCM is the reference, then at most silence (the device may
// add up to a period of it after the last byte).
::testing::AssertionResult playedExactly(const std::vector<uint8_t>& captured,
                                         const std::vector<uint8_t>& reference);

std::vector<uint8_t> referencePcm(const std::string& fixture);

// Polls until done() or timeoutMs passed; whether done() came true.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 20000);

// Milliseconds of a steady clock.
double nowMs();

}  // namespace kz8::audio::testkit
