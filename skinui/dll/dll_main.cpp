// Vexil2.dll's entry point. Window classes outlive the module that
// registered them, so an unload (not the end of the process, when
// lpReserved is set and everything goes anyway) takes them away: a later
// load can then register them again.
#include <windows.h>

#include "skinui/win32/template_library.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
        kz8::skinui::TemplateLibrary::instance().unregisterClasses();
    return TRUE;
}
