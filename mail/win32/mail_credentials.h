// The login for a mail server, from the Windows Credential Manager: a
// generic credential "KZ8Mail:<host>" whose user name is the login and
// whose blob is the password in UTF-16LE (as the Manager's own screens
// and cmdkey store it). When there is none, or the server refused it, the
// user is asked in the platform's prompt.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "mail/portable/secret_text.h"

namespace kz8::mail {

std::optional<MailLogin> readStoredLogin(const std::string& target);
bool storeLogin(const std::string& target, const MailLogin& login);

struct PromptedLogin {
    MailLogin login;
    bool save = false;  // the user ticked the box: store it once it worked
};
// Nothing when the user cancelled. user fills the name field; refused says
// the last attempt with it failed.
std::optional<PromptedLogin> askForLogin(HWND owner, const std::string& host,
                                         const std::string& user, bool refused);

}  // namespace kz8::mail
