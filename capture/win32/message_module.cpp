#include "capture/win32/message_module.h"

namespace kz8::capture {

namespace {
constexpr const char* kLibraryNames[] = {"Res_Dll.dll", "Res_Vidgrab.dll"};
constexpr int kTextBytes = 100;
}  // namespace

HMODULE MessageModule::module() {
    if (!searched_) {
        searched_ = true;
        for (const char* name : kLibraryNames) {
            library_.reset(LoadLibraryExA(name, nullptr, LOAD_LIBRARY_AS_DATAFILE));
            if (library_) break;
        }
    }
    return library_ ? library_.get() : own_;
}

std::string MessageModule::text(UINT id) {
    char text[kTextBytes] = {};
    const int length = LoadStringA(module(), id, text, kTextBytes);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

void MessageModule::unload() {
    library_.reset();
    searched_ = false;
}

void warnNoDevice(MessageModule& messages, HWND owner) {
    const std::string text = messages.text(kNoDeviceText);
    MessageBoxA(owner, text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
}

}  // namespace kz8::capture
