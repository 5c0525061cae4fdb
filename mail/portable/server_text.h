// The server text a host gives, split at its last ":" into the host and
// the kind of session its port asks for: the classic session on port 25
// when no port is given, submission with STARTTLS on 587, TLS from the
// first byte on 465, and the classic session on any other port.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kz8::mail {

enum class SessionKind {
    Classic,      // HELO, no TLS, no login
    Submission,   // EHLO, STARTTLS required, EHLO again, AUTH
    ImplicitTls,  // the TLS handshake first, then greeting, EHLO, AUTH
    Invalid,      // a port that is no number from 1 to 65535: like an unknown host
};

struct ServerEndpoint {
    std::string host;
    uint16_t port = 25;
    SessionKind kind = SessionKind::Classic;
};

ServerEndpoint parseServerText(const std::string& text);

// The four bytes of a dotted address "a.b.c.d" (each 0 to 255, digits
// only), or nothing when the host is a name.
std::optional<std::array<uint8_t, 4>> parseDottedAddress(const std::string& host);

// The host part in lower case, for the credential that belongs to it.
std::string credentialTarget(const ServerEndpoint& endpoint);

}  // namespace kz8::mail
