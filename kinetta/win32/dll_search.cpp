#include "kinetta/win32/dll_search.h"

#include <windows.h>
// After windows.h, which it needs.
#include <delayimp.h>

#include <string>

namespace kz8::player {
namespace {

constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

std::string systemFolderPath(const char* dll) {
    char folder[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(folder, length) + "\\" + dll;
}

// The delay-load helper would call LoadLibraryA with the bare name, which
// searches the program's own folder first on systems without default DLL
// directories: load by full path instead.
FARPROC WINAPI loadDelayedFromSystemFolder(unsigned notice, PDelayLoadInfo info) {
    if (notice != dliNotePreLoadLibrary || !info || !info->szDll) return nullptr;
    const std::string path = systemFolderPath(info->szDll);
    if (path.empty()) return nullptr;
    return reinterpret_cast<FARPROC>(LoadLibraryA(path.c_str()));
}

}  // namespace

void restrictDllSearchToSystemFolder() {
    // Present from Windows 8 (and 7 with its update); looked up, so that the
    // player still starts where it is missing.
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(kSearchSystem32)) SetDllDirectoryA("");
}

}  // namespace kz8::player

// The delay-load helper's notification hook, read at the first call of each
// delay-loaded library. Defined here, it takes the place of the runtime's
// empty default.
extern "C" {
PfnDliHook __pfnDliNotifyHook2 = kz8::player::loadDelayedFromSystemFolder;
}
