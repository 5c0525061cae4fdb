// What a server's EHLO reply offers (STARTTLS, AUTH and its mechanisms),
// which login to use, the AUTH exchanges' texts, and the Message-ID that
// submitted mail carries.
#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace kz8::mail {

struct EhloOffer {
    bool startTls = false;
    bool auth = false;
    std::set<std::string> mechanisms;  // upper case
};

// The keywords of the lines after the first ("250-STARTTLS", "250 AUTH
// PLAIN LOGIN", or the old "AUTH=LOGIN"), in any case.
EhloOffer parseEhloReply(const std::string& reply);

enum class LoginMechanism { None, Plain, Login };
// PLAIN when offered; LOGIN only when it is all that is offered.
LoginMechanism chooseLogin(const EhloOffer& offer);

// "AUTH PLAIN " + base64 of NUL, user, NUL, password (both UTF-8).
std::string authPlainCommand(const std::string& user, const std::string& password);
// A LOGIN answer to a 334: the text in base64 and CRLF.
std::string authLoginAnswer(const std::string& text);

// "<YYYYMMDDhhmmss.32 hex digits@domain>": the domain of the sender's
// address, else the HELO name.
std::string formatMessageId(const std::string& utcStamp, const uint8_t (&random)[16],
                            const std::string& senderAddress, const std::string& heloName);

}  // namespace kz8::mail
