// The DibFilter's class and the interface through which vidgrab reads its
// latest frame. GetFrame hands out the filter's own block (not a copy), so
// a reader locks the frame first, copies, and unlocks: the filter only
// swaps frames under that lock.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace kz8::capture {

// {40AF8200-4E6E-11D4-878D-00C0F6B0D1A7}
constexpr CLSID kDibFilterClass = {
    0x40af8200, 0x4e6e, 0x11d4, {0x87, 0x8d, 0x00, 0xc0, 0xf6, 0xb0, 0xd1, 0xa7}};

}  // namespace kz8::capture

struct IDibFrameAccess : public IUnknown {
    // The frame's rows (a null block before the first frame), width and height.
    virtual HRESULT STDMETHODCALLTYPE GetFrame(HGLOBAL* rows, LONG* width, LONG* height) = 0;
    // 1 locks the frame against replacement, 0 unlocks it.
    virtual HRESULT STDMETHODCALLTYPE LockFrame(LONG lock) = 0;
};

__CRT_UUID_DECL(IDibFrameAccess, 0x40af8202, 0x4e6e, 0x11d4, 0x87, 0x8d, 0x00, 0xc0, 0xf6, 0xb0,
                0xd1, 0xa7)
