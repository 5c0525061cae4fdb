#include "mail/win32/resource_module.h"

namespace kz8::mail {

ResourceModule::ResourceModule(const char* libraryName) : module_(LoadLibraryA(libraryName)) {
    if (module_) readLanguageSettings();
}

template <typename Entry>
Entry ResourceModule::entry(const char* name) const {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
}

void ResourceModule::readLanguageSettings() {
    // In this order, each called as soon as it is found.
    if ((getFontName_ = entry<TextEntry>("GetFontName"))) getFontName_(fontName_);
    if ((getCharSet_ = entry<TextEntry>("GetCharSet")))
        getCharSet_(reinterpret_cast<char*>(&charSet_));
    if ((getSampleLength_ = entry<LengthEntry>("GetSampLen"))) sampleLength_ = getSampleLength_();
    if ((getSampleText_ = entry<TextEntry>("GetSampText"))) getSampleText_(sampleText_);
    getFontSize_ = entry<TextEntry>("GetFontSize");
    if ((getAddressFont_ = entry<TextEntry>("GetAddrFont"))) getAddressFont_(addressFontName_);
}

HWND ResourceModule::createDialog(LPCSTR name, HWND parent, DLGPROC procedure) {
    return CreateDialogParamA(module_.get(), name, parent, procedure, 0);
}

HWND ResourceModule::createDialog(LPCSTR name, HWND parent, DLGPROC procedure, LPARAM initValue) {
    return CreateDialogParamA(module_.get(), name, parent, procedure, initValue);
}

INT_PTR ResourceModule::runDialog(LPCSTR name, HWND parent, DLGPROC procedure, LPARAM initValue) {
    return DialogBoxParamA(module_.get(), name, parent, procedure, initValue);
}

HACCEL ResourceModule::loadAccelerators(LPCSTR name) {
    return module_ ? LoadAcceleratorsA(module_.get(), name) : nullptr;
}

HICON ResourceModule::loadIcon(LPCSTR name) {
    return module_ ? LoadIconA(module_.get(), name) : nullptr;
}

HBITMAP ResourceModule::loadBitmap(LPCSTR name) {
    return module_ ? LoadBitmapA(module_.get(), name) : nullptr;
}

HCURSOR ResourceModule::loadCursor(LPCSTR name) {
    return module_ ? LoadCursorA(module_.get(), name) : nullptr;
}

int ResourceModule::loadString(UINT id, char* buffer, int length) {
    return module_ ? LoadStringA(module_.get(), id, buffer, length) : 0;
}

INT_PTR ResourceModule::runDialog(LPCSTR name, HWND parent, DLGPROC procedure) {
    return module_ ? DialogBoxParamA(module_.get(), name, parent, procedure, 0) : -1;
}

HMENU ResourceModule::loadMenu(LPCSTR name) {
    return module_ ? LoadMenuA(module_.get(), name) : nullptr;
}

}  // namespace kz8::mail
