// A resource library loaded at run time (Res_KZ8.dll, or a translation of
// it): asked once for its fonts and sample text, then the loader of its
// menus, strings, cursors, bitmaps, icons, accelerators and dialogs. When the
// library cannot be loaded every loader still answers, as the platform does
// for a module that holds nothing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win32/handles.h"

namespace kz8::mail {

class ResourceModule {
public:
    explicit ResourceModule(const char* libraryName);
    virtual ~ResourceModule() = default;  // frees the library
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    // Modeless, with an init value of 0.
    virtual HWND createDialog(LPCSTR name, HWND parent, DLGPROC procedure);
    virtual HWND createDialog(LPCSTR name, HWND parent, DLGPROC procedure, LPARAM initValue);
    virtual INT_PTR runDialog(LPCSTR name, HWND parent, DLGPROC procedure, LPARAM initValue);
    virtual HACCEL loadAccelerators(LPCSTR name);
    virtual HICON loadIcon(LPCSTR name);
    virtual HMODULE module() const { return module_.get(); }
    virtual HBITMAP loadBitmap(LPCSTR name);
    virtual HCURSOR loadCursor(LPCSTR name);
    // Characters copied; 0 without a library.
    virtual int loadString(UINT id, char* buffer, int length);
    // Modal, with an init value of 0; -1 without a library.
    virtual INT_PTR runDialog(LPCSTR name, HWND parent, DLGPROC procedure);
    virtual HMENU loadMenu(LPCSTR name);

    // What the library said about its language. Fields it did not fill
    // stay zero.
    const char* fontName() const { return fontName_; }
    const char* addressFontName() const { return addressFontName_; }
    uint32_t charSet() const { return charSet_; }
    int32_t sampleLength() const { return sampleLength_; }
    const char* sampleText() const { return sampleText_; }

private:
    // Each entry point takes one buffer of 128 bytes (GetSampLen none).
    using TextEntry = int(__cdecl*)(char*);
    using LengthEntry = int(__cdecl*)();
    static constexpr size_t kTextBytes = 128;

    void readLanguageSettings();
    template <typename Entry>
    Entry entry(const char* name) const;

    LoadedModule module_;
    TextEntry getFontName_ = nullptr;
    TextEntry getCharSet_ = nullptr;
    TextEntry getSampleText_ = nullptr;
    LengthEntry getSampleLength_ = nullptr;
    TextEntry getFontSize_ = nullptr;  // looked up for translations; never called
    TextEntry getAddressFont_ = nullptr;
    uint32_t charSet_ = 0;  // only its first byte is written
    int32_t sampleLength_ = 0;
    char sampleText_[kTextBytes] = {};
    char fontName_[kTextBytes] = {};
    char addressFontName_[kTextBytes] = {};
};

}  // namespace kz8::mail
