#include "outside/aolfake/client_settings.h"

#include <cstdlib>
#include <string>

namespace kz8::outside::aol {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

ClientSettings readSettings() {
    ClientSettings settings;
    const std::string version = environment("KZ8_AOL_VERSION");
    if (version == "4" || version == "5" || version == "6") settings.version = version[0] - '0';
    settings.writeMailOpens = environment("KZ8_AOL_NO_WRITE_MAIL") != "1";
    return settings;
}

}  // namespace

const ClientSettings& clientSettings() {
    static const ClientSettings settings = readSettings();
    return settings;
}

}  // namespace kz8::outside::aol
