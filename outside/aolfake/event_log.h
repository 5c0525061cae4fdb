// What was done to the fake client, one line per event, appended to the file
// named by KZ8_AOL_LOG so that a test can read it while the client runs.
#pragma once

#include <string>

namespace kz8::outside::aol {

// Appends the line and flushes it; nothing when KZ8_AOL_LOG is not set.
void logEvent(const std::string& line);

// "0x955C": message parameters as the log shows them.
std::string hex(unsigned long long value);

}  // namespace kz8::outside::aol
