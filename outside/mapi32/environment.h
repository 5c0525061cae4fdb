// Environment variables as the process has them now. The CRT's copy is taken
// when it starts, but a test sets the log and results just before each case.
#pragma once

#include <optional>
#include <string>

namespace kz8::outside {

// Nothing when the variable is not set.
std::optional<std::string> environmentValue(const char* name);

}  // namespace kz8::outside
