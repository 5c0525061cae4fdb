// The host header as an MSVC-built host compiles it, with just enough of
// the Windows types; clang compiles this for the MSVC target to tell what
// the decorated export names must be.
#define EMAIL_HOST_TYPES_DECLARED
struct HWND__;
typedef HWND__* HWND;
typedef struct tagRECT {
    long left, top, right, bottom;
} RECT;
#include "../include/email.h"

void* volatile keepExports[] = {
    reinterpret_cast<void*>(&ShowSendMailDlg),
    reinterpret_cast<void*>(&OnInitDialog),
    reinterpret_cast<void*>(&OnSetSendServer),
    reinterpret_cast<void*>(&OnSetSendFrom),
    reinterpret_cast<void*>(&OnSetAttachFile),
    reinterpret_cast<void*>(&OnOK),
    reinterpret_cast<void*>(&OnCancel),
    reinterpret_cast<void*>(&OnAddressBook),
    reinterpret_cast<void*>(&OnAddAddress),
    reinterpret_cast<void*>(&SetSendToAddr),
    reinterpret_cast<void*>(&SetSubject),
    reinterpret_cast<void*>(&CheckAOL),
    reinterpret_cast<void*>(&RunAOLEXE),
    reinterpret_cast<void*>(&OnInitAol),
    reinterpret_cast<void*>(&TimeCheckAOL),
    reinterpret_cast<void*>(&CheckMAPIInstalled),
    reinterpret_cast<void*>(static_cast<int(__cdecl*)(char*)>(&DoMapiSend)),
    reinterpret_cast<void*>(
        static_cast<int(__cdecl*)(HWND, char*, char*, char*, char*)>(&DoMapiSend)),
    reinterpret_cast<void*>(&DoMapiSendManyFiles)};
