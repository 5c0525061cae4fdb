// What the session needs of TLS: turning the connection it runs over into
// a secure one (the handshake and our own check of the server's
// certificate), and ending it with a close_notify. Once started, the
// session's socket sends and receives through it.
#pragma once

#include <string>

namespace kz8::mail {

enum class TlsOutcome {
    Secure,
    Untrusted,    // the certificate's chain ends at no root we trust
    WrongServer,  // the certificate is for another name or address
    Failed,       // no handshake, or nothing we can speak
};

class SecureChannel {
public:
    virtual ~SecureChannel() = default;
    // The handshake over the connection as it stands, then the check of
    // the certificate against host (a name, or a dotted address).
    virtual TlsOutcome start(const std::string& host) = 0;
    // The platform's error behind the last outcome that was not Secure.
    virtual int lastError() const = 0;
    // Says close_notify when the channel is up; nothing otherwise.
    virtual void close() = 0;
};

}  // namespace kz8::mail
