#include "mail/win32/simple_mapi.h"

namespace kz8::mail {

namespace {

template <typename Function>
Function entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

SimpleMapi::~SimpleMapi() { unload(); }

void SimpleMapi::unload() {
    if (library_) FreeLibrary(library_);
    library_ = nullptr;
    logon_ = nullptr;
    logoff_ = nullptr;
    sendDocuments = nullptr;
    sendMail = nullptr;
}

int SimpleMapi::load() {
    library_ = LoadLibraryA("MAPI32.DLL");
    if (!library_) return kNoMapiLibrary;
    logon_ = entry<LPMAPILOGON>(library_, "MAPILogon");
    logoff_ = entry<LPMAPILOGOFF>(library_, "MAPILogoff");
    sendDocuments = entry<LPMAPISENDDOCUMENTS>(library_, "MAPISendDocuments");
    sendMail = entry<LPMAPISENDMAIL>(library_, "MAPISendMail");
    const int missing = !logon_                       ? kNoMapiEntry
                        : !logoff_                    ? kNoMapiLogoff
                        : !sendDocuments || !sendMail ? kNoMapiEntry
                                                      : 0;
    if (missing) unload();
    return missing;
}

int SimpleMapi::inSession(const std::function<ULONG(LHANDLE session)>& send) {
    LHANDLE session = 0;
    // No application window to own the logon: the library has none.
    if (logon_(0, nullptr, nullptr, MAPI_LOGON_UI | MAPI_NEW_SESSION, 0, &session) !=
        SUCCESS_SUCCESS)
        return 0;
    const ULONG sent = send(session);
    const ULONG loggedOff = logoff_(session, 0, 0, 0);
    const bool delivered = sent == SUCCESS_SUCCESS || sent == MAPI_USER_ABORT;
    return delivered && loggedOff == SUCCESS_SUCCESS ? 1 : 0;
}

}  // namespace kz8::mail
