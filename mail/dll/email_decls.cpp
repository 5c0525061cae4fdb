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
    reinterpret_cast<void*>(&ShowSendMailDlg), reinterpret_cast<void*>(&OnInitDialog),
    reinterpret_cast<void*>(&OnSetSendServer), reinterpret_cast<void*>(&OnSetSendFrom),
    reinterpret_cast<void*>(&OnSetAttachFile), reinterpret_cast<void*>(&OnOK),
    reinterpret_cast<void*>(&OnCancel),        reinterpret_cast<void*>(&OnAddressBook),
    reinterpret_cast<void*>(&OnAddAddress)};
