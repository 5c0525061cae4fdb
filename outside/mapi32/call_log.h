// The log of calls: the file named by KZ8_MAPI_LOG, one line per call.
#pragma once

#include <string>

namespace kz8::outside {

// Appends the line; nothing happens when KZ8_MAPI_LOG is not set. The file is
// opened and closed for every line, so a test can read it between calls.
void appendToCallLog(const std::string& line);

}  // namespace kz8::outside
