// The system's Simple MAPI library for the length of one call: loaded with
// its four entry points (else -2, -3 or -4), logged on, and logged off and
// unloaded again whatever happens.
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <mapi.h>

#include <functional>

namespace kz8::mail {

constexpr int kNoMapiLibrary = -2;
constexpr int kNoMapiEntry = -3;
constexpr int kNoMapiLogoff = -4;

class SimpleMapi {
public:
    SimpleMapi() = default;
    ~SimpleMapi();
    SimpleMapi(const SimpleMapi&) = delete;
    SimpleMapi& operator=(const SimpleMapi&) = delete;

    // 0, or the code of what is missing; the library is gone again then.
    int load();
    // Logs on, runs the send and logs off. 1 only when the send succeeded
    // (or the user closed the mail program's window) and the logoff did;
    // 0 when the logon failed, the send did not, or nothing was sent.
    int inSession(const std::function<ULONG(LHANDLE session)>& send);

    LPMAPISENDDOCUMENTS sendDocuments = nullptr;
    LPMAPISENDMAIL sendMail = nullptr;

private:
    void unload();
    HMODULE library_ = nullptr;
    LPMAPILOGON logon_ = nullptr;
    LPMAPILOGOFF logoff_ = nullptr;
};

// What a send gives when it sent nothing (a picture that would not open).
constexpr ULONG kNothingSent = ~ULONG(0);

}  // namespace kz8::mail
