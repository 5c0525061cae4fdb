// Loaded modules: a function typed as its declaration, found by name or by
// ordinal (MAKEINTRESOURCEA), and the module that holds an address, which
// is how a library finds its own module whichever program or DLL it was
// linked into.
#pragma once

#include <windows.h>

namespace kz8 {
inline namespace common {

template <typename Function>
Function moduleFunction(HMODULE module, const char* nameOrOrdinal) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(module, nameOrOrdinal)));
}

// Without taking a reference on it.
inline HMODULE moduleContaining(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCSTR>(address), &module);
    return module;
}

}  // namespace common
}  // namespace kz8
