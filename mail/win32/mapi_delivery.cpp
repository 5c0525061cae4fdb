#include "mail/win32/mapi_delivery.h"

#include <optional>
#include <string>
#include <vector>

#include "mail/portable/mapi_rules.h"
#include "mail/win32/picture_copy.h"
#include "mail/win32/resource_module.h"
#include "mail/win32/simple_mapi.h"

namespace kz8::mail {

namespace {

const char kMessagingKey[] = "Software\\Microsoft\\Windows Messaging Subsystem";
const char kMsMapiAppsKey[] = "Software\\Microsoft\\Windows Messaging Subsystem\\MSMapiApps";
const char kMailClientsKey[] = "Software\\Clients\\Mail";
const char kOutlookExpressKey[] = "Software\\Microsoft\\Outlook Express";
constexpr UINT kOpenFileFailedText = 57;
constexpr size_t kRegistryTextBytes = 260;

bool keyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Terminated whatever the registry holds.
std::optional<std::string> registryText(const char* path, const char* value) {
    char text[kRegistryTextBytes] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, path, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

std::optional<uint32_t> registryNumber(const char* path, const char* value) {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, path, value, RRF_RT_REG_DWORD, nullptr, &number, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

MapiRegistry readMapiRegistry() {
    MapiRegistry registry;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    registry.systemNewEnough =
        GetVersionExA(&version) && (version.dwMajorVersion > 3 ||
                                    (version.dwMajorVersion == 3 && version.dwMinorVersion > 51));
    registry.msMapiApps = keyExists(kMsMapiAppsKey);
    registry.messagingKey = keyExists(kMessagingKey);
    registry.mapiValue = registryText(kMessagingKey, "MAPI");
    registry.mailClientsKey = keyExists(kMailClientsKey);
    registry.defaultMailProgram = registryText(kMailClientsKey, nullptr).value_or("");
    registry.outlookExpressKey = keyExists(kOutlookExpressKey);
    registry.sMapi = registryNumber(kOutlookExpressKey, "SMapi");
    return registry;
}

bool tooLong(const char* path) { return std::string(path).size() > kLongestMapiPath; }

void tellOpenFailed() {
    ResourceModule texts("Res_KZ8.dll");
    char text[256] = {};
    texts.loadString(kOpenFileFailedText, text, sizeof text);
    MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

// After the checks every sender shares: MAPI usable and loaded.
int withSimpleMapi(const std::function<ULONG(SimpleMapi&, LHANDLE)>& send) {
    if (!checkMapiInstalled()) return 0;
    SimpleMapi mapi;
    if (const int missing = mapi.load()) return missing;
    return mapi.inSession([&](LHANDLE session) { return send(mapi, session); });
}

ULONG sendDocuments(SimpleMapi& mapi, const std::vector<std::string>& paths) {
    std::string delimiter = documentsDelimiter(paths);
    std::string list;
    for (const std::string& path : paths) list += (list.empty() ? "" : delimiter) + path;
    return mapi.sendDocuments(0, delimiter.data(), list.data(), nullptr, 0);
}

}  // namespace

int checkMapiInstalled() { return simpleMapiUsable(readMapiRegistry()) ? 1 : 0; }

int mapiSendFile(const char* path) {
    if (!path || tooLong(path)) return 0;
    return withSimpleMapi([&](SimpleMapi& mapi, LHANDLE) {
        std::string sent = path;
        if (!hasExtension(sent, ".jpg")) {
            const OpenedPicture picture(sent);
            // A file that is no picture goes as it is.
            if (picture.opened() && sent.size() >= 4)
                sent = picture.saveJpegCopy(sent.substr(0, sent.size() - 4) + "_tmp", sent);
        }
        return sendDocuments(mapi, {sent});
    });
}

int mapiSendMessage(HWND window, const char* to, const char* text, const char* subject,
                    const char* path) {
    if (!path || tooLong(path)) return 0;
    return withSimpleMapi([&](SimpleMapi& mapi, LHANDLE session) {
        std::string recipientName = to ? to : "", note = text ? text : "",
                    title = subject ? subject : "", filePath = path;
        MapiRecipDesc recipient{};
        recipient.ulRecipClass = MAPI_TO;
        recipient.lpszName = recipientName.data();
        MapiFileDesc file{};
        file.nPosition = ULONG(-1);
        file.lpszPathName = filePath.data();
        MapiMessage message{};
        message.lpszSubject = title.data();
        message.lpszNoteText = note.data();
        message.nRecipCount = 1;
        message.lpRecips = &recipient;
        message.nFileCount = 1;
        message.lpFiles = &file;
        return mapi.sendMail(session, ULONG_PTR(window), &message, MAPI_DIALOG, 0);
    });
}

int mapiSendManyFiles(char* paths[], int count) {
    if (!paths || count < 0) return 0;
    for (int i = 0; i < count; ++i)
        if (!paths[i] || !*paths[i]) return -1;
    for (int i = 0; i < count; ++i)
        if (tooLong(paths[i])) return 0;
    return withSimpleMapi([&](SimpleMapi& mapi, LHANDLE) -> ULONG {
        std::vector<std::string> sent;
        for (int i = 0; i < count; ++i) {
            const std::string path = paths[i];
            if (hasExtension(path, ".txt")) {
                sent.push_back(path);
                continue;
            }
            const OpenedPicture picture(path);
            if (!picture.opened()) {
                tellOpenFailed();
                return kNothingSent;
            }
            if (hasExtension(path, ".jpg")) {
                sent.push_back(path);
                continue;
            }
            const size_t dot = path.find_last_of('.');
            const size_t slash = path.find_last_of("\\/");
            const bool hasDot =
                dot != std::string::npos && (slash == std::string::npos || dot > slash);
            sent.push_back(picture.saveJpegCopy(path.substr(0, hasDot ? dot : path.size()), path));
        }
        return sendDocuments(mapi, sent);
    });
}

}  // namespace kz8::mail
