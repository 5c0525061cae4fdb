#include "outside/mapi32/environment.h"

#include <windows.h>

namespace kz8::outside {

std::optional<std::string> environmentValue(const char* name) {
    std::string value(MAX_PATH, '\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableA(name, value.data(), DWORD(value.size()));
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);  // the size asked for, terminator included
    }
}

}  // namespace kz8::outside
