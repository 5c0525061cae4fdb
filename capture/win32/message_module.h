// Where vidgrab's message texts come from: "Res_Dll.dll" when it can be
// loaded, else "Res_Vidgrab.dll", else vidgrab's own string table. The
// library is loaded as a data file, never run, and only when the first
// message is needed: loading it from DllMain would run its code under the
// loader lock.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/handles.h"

namespace kz8::capture {

constexpr UINT kNoDeviceText = 2001;

class MessageModule {
public:
    // `own` is the module whose string table is the last resort.
    explicit MessageModule(HMODULE own) : own_(own) {}

    // String `id` (at most 100 bytes), empty when no module has it.
    std::string text(UINT id);
    // The module the texts come from, loading it on first use.
    HMODULE module();
    // Frees the loaded library; the next text loads it again.
    void unload();

private:
    HMODULE own_;
    LoadedModule library_;
    bool searched_ = false;
};

// The "Warning" box with string 2001, owned by `owner`.
void warnNoDevice(MessageModule& messages, HWND owner);

}  // namespace kz8::capture
