// Passwords and the texts made from them: wiped from memory when no longer
// needed, in a way the compiler may not leave out.
#pragma once

#include <string>

namespace kz8::mail {

inline void wipe(std::string& secret) {
    // The whole buffer: a shorter text may once have been longer.
    secret.resize(secret.capacity());
    volatile char* bytes = secret.data();
    for (size_t i = 0; i < secret.size(); ++i) bytes[i] = 0;
    secret.clear();
}

// A user name and password for a server, UTF-8; the password is wiped
// when the login goes.
struct MailLogin {
    std::string user;
    std::string password;
    MailLogin() = default;
    MailLogin(std::string u, std::string p) : user(std::move(u)), password(p) { wipe(p); }
    // A move copies and wipes: a moved short text would leave its bytes.
    MailLogin(MailLogin&& other) : user(other.user), password(other.password) {
        wipe(other.password);
    }
    MailLogin& operator=(MailLogin&& other) {
        user = other.user;
        wipe(password);
        password = other.password;
        wipe(other.password);
        return *this;
    }
    MailLogin(const MailLogin&) = delete;
    MailLogin& operator=(const MailLogin&) = delete;
    ~MailLogin() { wipe(password); }
    bool empty() const { return user.empty() && password.empty(); }
};

}  // namespace kz8::mail
