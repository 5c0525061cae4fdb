// Owners for the Win32 handles the suite uses, so that every error path gives
// back what it took. Each wrapper is move-only; release() hands the handle on
// to whoever takes ownership across a boundary (a DIB given to a caller).
#pragma once

#include <objbase.h>
#include <windows.h>

#include <cstddef>
#include <utility>

namespace kz8 {
inline namespace common {

// A handle closed by Traits::close and empty when equal to Traits::empty().
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::empty()); }
    // For functions that hand a new handle out through a pointer
    // (RegOpenKeyExA and its kin); a handle held before is closed first.
    Handle* put() {
        reset();
        return &handle_;
    }
    void reset(Handle h = Traits::empty()) {
        Handle old = std::exchange(handle_, h);
        if (Traits::valid(old)) Traits::close(old);
    }

private:
    Handle handle_ = Traits::empty();
};

struct KernelHandleTraits {  // files, events, threads, processes
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::FreeLibrary(h); }
};
using LoadedModule = UniqueHandle<ModuleTraits>;

template <typename T>
struct GdiObjectTraits {  // pens, brushes, bitmaps, fonts, regions
    using Handle = T;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DeleteObject(h); }
};
template <typename T>
using GdiObject = UniqueHandle<GdiObjectTraits<T>>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Region = GdiObject<HRGN>;
using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;

struct CreatedDcTraits {  // CreateDC, CreateCompatibleDC
    using Handle = HDC;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DeleteDC(h); }
};
using CreatedDc = UniqueHandle<CreatedDcTraits>;

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::GlobalFree(h); }
};

// A global memory block, the way DIBs travel between our modules and hosts.
class GlobalMemory : public UniqueHandle<GlobalMemoryTraits> {
public:
    using UniqueHandle::UniqueHandle;
    // A movable block of `size` bytes, zero-filled; empty on failure.
    static GlobalMemory allocate(size_t size, UINT flags = GMEM_MOVEABLE | GMEM_ZEROINIT) {
        return GlobalMemory(::GlobalAlloc(flags, size));
    }
    size_t size() const { return get() ? ::GlobalSize(get()) : 0; }
};

// Keeps a global block locked for as long as it lives.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block)
        : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~GlobalLockGuard() {
        if (data_) ::GlobalUnlock(block_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    explicit operator bool() const { return data_ != nullptr; }
    BYTE* bytes() const { return static_cast<BYTE*>(data_); }
    size_t size() const { return data_ ? ::GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

// The DC of a window, from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint .. EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectionGuard() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer that releases its reference.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* p) : p_(p) {}  // adopts the reference
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr& operator=(const ComPtr& o) {
        if (this != &o) {
            if (o.p_) o.p_->AddRef();
            reset();
            p_ = o.p_;
        }
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }
    // For out-parameters: releases what is held and returns the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    template <typename U>
    ComPtr<U> query(REFIID iid) const {
        ComPtr<U> out;
        if (p_) p_->QueryInterface(iid, out.putVoid());
        return out;
    }

private:
    T* p_ = nullptr;
};

// CoInitialize for the lifetime of a scope, when it succeeded.
class ComApartment {
public:
    ComApartment() : result_(::CoInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace common
}  // namespace kz8
