#include "outside/mapi32/call_results.h"

#include <limits>
#include <optional>

namespace kz8::outside {
namespace {

constexpr uint32_t kSuccess = 0;

std::optional<uint32_t> decimal(const std::string& text) {
    if (text.empty() || text.size() > std::numeric_limits<uint32_t>::digits10 + 1)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + uint64_t(c - '0');
    }
    if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return uint32_t(value);
}

}  // namespace

uint32_t resultFor(const std::string& settings, const std::string& call) {
    uint32_t result = kSuccess;
    size_t start = 0;
    while (start <= settings.size()) {
        size_t end = settings.find(',', start);
        if (end == std::string::npos) end = settings.size();
        const std::string entry = settings.substr(start, end - start);
        const size_t equals = entry.find('=');
        if (equals != std::string::npos && entry.compare(0, equals, call) == 0) {
            if (const auto value = decimal(entry.substr(equals + 1))) result = *value;
        }
        start = end + 1;
    }
    return result;
}

}  // namespace kz8::outside
