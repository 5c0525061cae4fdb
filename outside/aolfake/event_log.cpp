#include "outside/aolfake/event_log.h"

#include <cstdio>
#include <cstdlib>

#include "common/portable/stdio_file.h"

namespace kz8::outside::aol {
namespace {

UniqueFile openLog() {
    const char* path = std::getenv("KZ8_AOL_LOG");
    if (!path || !*path) return nullptr;
    // Binary, so that the Linux side reads plain "\n" line ends.
    return UniqueFile(std::fopen(path, "ab"));
}

}  // namespace

void logEvent(const std::string& line) {
    static const UniqueFile file = openLog();
    if (!file) return;
    const std::string text = line + "\n";
    std::fwrite(text.data(), 1, text.size(), file.get());
    std::fflush(file.get());
}

std::string hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", value);
    return text;
}

}  // namespace kz8::outside::aol
