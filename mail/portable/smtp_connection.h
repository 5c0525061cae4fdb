// One SMTP session: connect and greet, send one composed message with its
// progress, say goodbye. Every reply is checked; the first failure ends
// what was going on, and the error and the server's text are kept.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "mail/portable/mail_message.h"
#include "mail/portable/secret_text.h"
#include "mail/portable/secure_channel.h"
#include "mail/portable/server_text.h"
#include "mail/portable/smtp_extensions.h"
#include "mail/portable/smtp_reply.h"
#include "mail/portable/smtp_socket.h"

// windows.h, when it came first, makes SendMessage a macro for
// SendMessageA; the session's own SendMessage is not that. Windows code
// here names SendMessageA itself.
#ifdef SendMessage
#undef SendMessage
#endif

namespace kz8::mail {

// Why a secure session could not be made ready, for the texts that tell.
enum class SessionFailure {
    None,
    Untrusted,           // the certificate's chain
    WrongServer,         // the certificate's name or address
    NoSecureOffer,       // no STARTTLS in the EHLO reply
    NoSecureConnection,  // no handshake, or bytes slipped in before it
    LoginRefused,
    NoLogin,  // the server asks for a login and none was given
};

class SmtpConnection {
public:
    // The secure channel, when there is one, runs over the same socket and
    // is needed for the submission and implicit-TLS sessions only.
    SmtpConnection(SmtpSocket& socket, SmtpClock& clock, SecureChannel* secure = nullptr)
        : socket_(socket), secure_(secure), reader_(socket, clock) {}
    ~SmtpConnection();
    SmtpConnection(const SmtpConnection&) = delete;
    SmtpConnection& operator=(const SmtpConnection&) = delete;

    // The greeting must be 220 and HELO's answer 250; a refused greeting is
    // still answered with QUIT, a server that is silent or talks nonsense
    // is not.
    int Connect(const std::string& host, uint16_t port);
    // The session the server text asks for. In the submission and
    // implicit-TLS sessions nothing but EHLO, STARTTLS and QUIT goes out
    // before TLS is up and the certificate has passed, and the login, when
    // the server offers one, comes before anything else.
    int Connect(const ServerEndpoint& endpoint, const MailLogin& login);
    // Percent of the message sent so far, 0 to 100.
    using Progress = std::function<void(int percent)>;
    // The end of data is sent only when every byte before it went out.
    int SendMessage(const MailMessage& message, const ComposedMessage& composed,
                    const Progress& progress = {});
    int Disconnect();
    // From another thread: the send in progress fails at once.
    void cancel();

    bool connected() const { return connected_; }
    SessionFailure failure() const { return failure_; }
    bool loggedIn() const { return loggedIn_; }
    int lastCode() const { return lastCode_; }
    int lastError() const { return lastError_; }
    const std::string& lastResponse() const { return lastResponse_; }

private:
    bool send(const std::string& bytes);
    // A reply with this code; errorOtherwise replaces an unexpected code's
    // error (the commands of a transaction say 22).
    bool expect(int code, int errorOtherwise = kErrorUnexpectedReply,
                const ReplyLimits& limits = {});
    bool sendData(const std::string& bytes, DotStuffer& stuffer);
    // Ends a Connect that failed, keeping the error it failed with.
    int failConnect(SessionFailure failure = SessionFailure::None);
    bool secureTheChannel(const std::string& host);
    // EHLO and its offer.
    bool greetExtended(EhloOffer& offer);
    bool logIn(const EhloOffer& offer, const MailLogin& login);

    SmtpSocket& socket_;
    SecureChannel* secure_;
    ReplyReader reader_;
    bool connected_ = false;
    // After a time-out, a closed connection or a reply that is no reply,
    // nothing more is said: a QUIT would only wait for the same again.
    bool broken_ = false;
    std::atomic<bool> cancelled_{false};
    bool secured_ = false;
    bool loggedIn_ = false;
    SessionFailure failure_ = SessionFailure::None;
    int lastCode_ = 0;
    int lastError_ = 0;
    std::string lastResponse_;
    std::string lastReply_;  // whatever expect read last
};

}  // namespace kz8::mail
