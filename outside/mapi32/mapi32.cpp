// MAPI32.DLL stand-in (outside the system, never shipped): Simple MAPI's four
// entry points for the tests of the mail library's MAPI delivery. Each call
// appends one JSON line to the file named by KZ8_MAPI_LOG and answers what
// KZ8_MAPI_RESULTS says, so a test sees exactly what the library asked for and
// steers every outcome without a mail program. Which of the four a build
// exports is up to its .def file.
#include <windows.h>
// Needs windows.h first.
#include <mapi.h>

#include "outside/mapi32/call_log.h"
#include "outside/mapi32/call_results.h"
#include "outside/mapi32/environment.h"
#include "outside/mapi32/json_text.h"
#include "outside/mapi32/message_json.h"

namespace {

using kz8::outside::JsonObject;

// "KZ8": easy to tell from a handle that was never set.
constexpr LHANDLE kSession = 0x4B5A38;

// Callers of MAPI do not expect C++ exceptions. Only running out of memory
// could throw here; then the setting reads as success and the line is lost.
ULONG resultFor(const char* call) noexcept {
    try {
        return kz8::outside::resultFor(
            kz8::outside::environmentValue("KZ8_MAPI_RESULTS").value_or(""), call);
    } catch (...) {
        return SUCCESS_SUCCESS;
    }
}

template <typename Describe>
void record(const char* call, ULONG_PTR uiParam, ULONG result, Describe describe) noexcept {
    try {
        JsonObject entry;
        entry.text("call", call).number("ulUIParam", uint64_t(uiParam));
        describe(entry);
        entry.number("result", result);
        kz8::outside::appendToCallLog(entry.str());
    } catch (...) {
    }
}

}  // namespace

extern "C" ULONG WINAPI MAPILogon(ULONG_PTR ulUIParam, LPSTR lpszProfileName, LPSTR lpszPassword,
                                  FLAGS flFlags, ULONG ulReserved, LPLHANDLE lplhSession) {
    const ULONG result = resultFor("MAPILogon");
    const bool opened = result == SUCCESS_SUCCESS && lplhSession;
    if (opened) *lplhSession = kSession;
    record("MAPILogon", ulUIParam, result, [&](JsonObject& entry) {
        entry.text("profile", lpszProfileName)
            .text("password", lpszPassword)
            .number("flags", flFlags)
            .number("reserved", ulReserved);
        if (opened)
            entry.number("session", kSession);
        else
            entry.json("session", "null");
    });
    return result;
}

extern "C" ULONG WINAPI MAPILogoff(LHANDLE lhSession, ULONG_PTR ulUIParam, FLAGS flFlags,
                                   ULONG ulReserved) {
    const ULONG result = resultFor("MAPILogoff");
    record("MAPILogoff", ulUIParam, result, [&](JsonObject& entry) {
        entry.number("session", lhSession).number("flags", flFlags).number("reserved", ulReserved);
    });
    return result;
}

extern "C" ULONG WINAPI MAPISendMail(LHANDLE lhSession, ULONG_PTR ulUIParam,
                                     lpMapiMessage lpMessage, FLAGS flFlags, ULONG ulReserved) {
    const ULONG result = resultFor("MAPISendMail");
    record("MAPISendMail", ulUIParam, result, [&](JsonObject& entry) {
        entry.number("session", lhSession).number("flags", flFlags).number("reserved", ulReserved);
        kz8::outside::describeMessage(lpMessage, entry);
    });
    return result;
}

extern "C" ULONG WINAPI MAPISendDocuments(ULONG_PTR ulUIParam, LPSTR lpszDelimChar,
                                          LPSTR lpszFilePaths, LPSTR lpszFileNames,
                                          ULONG ulReserved) {
    const ULONG result = resultFor("MAPISendDocuments");
    record("MAPISendDocuments", ulUIParam, result, [&](JsonObject& entry) {
        entry.text("delimiter", lpszDelimChar)
            .text("documents", lpszFilePaths)
            .text("fileNames", lpszFileNames)
            .number("reserved", ulReserved);
    });
    return result;
}
