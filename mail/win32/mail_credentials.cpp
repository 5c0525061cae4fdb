#include "mail/win32/mail_credentials.h"

#include <wincred.h>

#include <memory>
#include <vector>

namespace kz8::mail {

namespace {

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string toUtf8(const wchar_t* text, size_t size) {
    if (size == 0) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text, int(size), nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, int(size), narrow.data(), length, nullptr, nullptr);
    return narrow;
}

void wipe(std::wstring& secret) {
    SecureZeroMemory(secret.data(), secret.size() * sizeof(wchar_t));
    secret.clear();
}

struct CredentialRelease {
    void operator()(CREDENTIALW* credential) const { CredFree(credential); }
};

}  // namespace

std::optional<MailLogin> readStoredLogin(const std::string& target) {
    CREDENTIALW* found = nullptr;
    if (!CredReadW(fromUtf8(target).c_str(), CRED_TYPE_GENERIC, 0, &found)) return std::nullopt;
    const std::unique_ptr<CREDENTIALW, CredentialRelease> credential(found);
    const auto* password = reinterpret_cast<const wchar_t*>(credential->CredentialBlob);
    const size_t user = credential->UserName ? wcslen(credential->UserName) : 0;
    return MailLogin(toUtf8(credential->UserName, user),
                     toUtf8(password, credential->CredentialBlobSize / sizeof(wchar_t)));
}

bool storeLogin(const std::string& target, const MailLogin& login) {
    std::wstring name = fromUtf8(target), user = fromUtf8(login.user),
                 password = fromUtf8(login.password);
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = name.data();
    credential.UserName = user.data();
    credential.CredentialBlob = reinterpret_cast<BYTE*>(password.data());
    credential.CredentialBlobSize = DWORD(password.size() * sizeof(wchar_t));
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    const bool written = CredWriteW(&credential, 0) != FALSE;
    wipe(password);
    return written;
}

std::optional<PromptedLogin> askForLogin(HWND owner, const std::string& host,
                                         const std::string& user, bool refused) {
    std::wstring shownHost = fromUtf8(host);
    CREDUI_INFOW info{};
    info.cbSize = sizeof info;
    info.hwndParent = owner;
    std::vector<wchar_t> userName(CREDUI_MAX_USERNAME_LENGTH + 1, L'\0');
    std::vector<wchar_t> password(CREDUI_MAX_PASSWORD_LENGTH + 1, L'\0');
    const std::wstring given = fromUtf8(user).substr(0, CREDUI_MAX_USERNAME_LENGTH);
    std::copy(given.begin(), given.end(), userName.begin());
    BOOL save = FALSE;
    DWORD flags = CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_DO_NOT_PERSIST |
                  CREDUI_FLAGS_SHOW_SAVE_CHECK_BOX;
    if (refused) flags |= CREDUI_FLAGS_INCORRECT_PASSWORD;
    const DWORD answer = CredUIPromptForCredentialsW(
        &info, shownHost.c_str(), nullptr, refused ? ERROR_LOGON_FAILURE : 0, userName.data(),
        ULONG(userName.size()), password.data(), ULONG(password.size()), &save, flags);
    std::optional<PromptedLogin> result;
    if (answer == NO_ERROR) {
        // The prompt puts "<target>\\" before a name without "\\" or "@".
        std::wstring name = userName.data();
        const std::wstring prefix = shownHost + L"\\";
        if (name.compare(0, prefix.size(), prefix) == 0) name.erase(0, prefix.size());
        result.emplace();
        result->login = MailLogin(toUtf8(name.data(), name.size()),
                                  toUtf8(password.data(), wcslen(password.data())));
        result->save = save != FALSE;
    }
    SecureZeroMemory(password.data(), password.size() * sizeof(wchar_t));
    return result;
}

}  // namespace kz8::mail
