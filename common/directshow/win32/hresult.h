// How our COM plumbing carries failures: check() throws the failing HRESULT,
// and hresultOf() runs a COM method's body and turns whatever it threw back
// into the HRESULT its caller sees. Nothing may escape a COM method, so every
// method that calls check() runs its body through hresultOf(); the virtual
// hooks of our base classes are called inside such bodies and may throw too.
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>

namespace kz8::directshow {

struct HResultError {
    HRESULT code;
};

// Passes success codes (S_FALSE among them) through; throws failures.
inline HRESULT check(HRESULT result) {
    if (FAILED(result)) throw HResultError{result};
    return result;
}

// For out-parameters the caller must supply.
inline void checkPointer(const void* pointer) {
    if (!pointer) throw HResultError{E_POINTER};
}

// S_OK, or what the body returned, or the failure it threw.
template <typename Body>
HRESULT hresultOf(Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (const HResultError& error) {
        return error.code;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace kz8::directshow
