// An open registry key, closed when its owner goes.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"

namespace kz8 {
inline namespace common {

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace common
}  // namespace kz8
