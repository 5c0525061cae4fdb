// The camera filter's own interface for its source setting, which its
// source page and VfW source dialog change. Private to this DLL and its
// tests: nothing outside the stand-ins knows it.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace kz8::capture::testkit {

// {304B11D1-AD00-4419-A938-87D24624299A}
constexpr IID IID_ICameraSource = {
    0x304b11d1, 0xad00, 0x4419, {0xa9, 0x38, 0x87, 0xd2, 0x46, 0x24, 0x29, 0x9a}};

struct ICameraSource : public IUnknown {
    // Inverted colours: every channel of the picture delivered as 255 - value.
    virtual HRESULT STDMETHODCALLTYPE GetInverted(BOOL* inverted) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetInverted(BOOL inverted) = 0;
};

}  // namespace kz8::capture::testkit
