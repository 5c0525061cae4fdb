#include <windows.h>
// after windows.h, whose types it uses
#include <delayimp.h>

#include <cstring>

#include "mail/win32/hydll.h"
#include "mail/win32/mail_module.h"

namespace kz8::mail {

namespace {

HGLOBAL __cdecl noPictureOpened(const char*, int, int) { return nullptr; }
int __cdecl noPictureSaved(HGLOBAL, const char*, int, int) { return 0; }

// The library cannot be loaded: this module stands in for it, and since
// it exports neither name, each lookup fails and gets its stand-in.
FARPROC WINAPI hydllFailure(unsigned notification, PDelayLoadInfo info) {
    if (!info || !info->szDll || lstrcmpiA(info->szDll, "HYDLL.dll") != 0) return nullptr;
    if (notification == dliFailLoadLib) return reinterpret_cast<FARPROC>(mailModule());
    if (notification != dliFailGetProc || !info->dlp.fImportByName) return nullptr;
    if (std::strcmp(info->dlp.szProcName, "HyOpenFile") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&noPictureOpened));
    if (std::strcmp(info->dlp.szProcName, "HySaveFile") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&noPictureSaved));
    return nullptr;
}

}  // namespace

void tolerateMissingHydll() { __pfnDliFailureHook2 = hydllFailure; }

}  // namespace kz8::mail
