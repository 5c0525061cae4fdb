// What a Windows test gets from the Wine harness (scripts/wine-run.sh): its
// own capture file of the wave device and a way to photograph the display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"

namespace kz8::testkit {

// An environment variable, or "" when unset.
std::string environmentText(const char* name);

// A Unix path as Wine's Z: drive shows it.
std::string windowsPathOf(const std::string& unixPath);

// Every byte the wave device has played in this run so far.
std::vector<uint8_t> capturedPcm();

// The whole display as the X server shows it, taken from the Linux side.
std::optional<PpmImage> takeScreenshot();

}  // namespace kz8::testkit
