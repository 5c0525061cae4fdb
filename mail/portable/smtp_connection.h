// One SMTP session: connect and greet, send one composed message with its
// progress, say goodbye. Every reply is checked; the first failure ends
// what was going on, and the error and the server's text are kept.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "mail/portable/mail_message.h"
#include "mail/portable/smtp_reply.h"
#include "mail/portable/smtp_socket.h"

// windows.h, when it came first, makes SendMessage a macro for
// SendMessageA; the session's own SendMessage is not that. Windows code
// here names SendMessageA itself.
#ifdef SendMessage
#undef SendMessage
#endif

namespace kz8::mail {

class SmtpConnection {
public:
    SmtpConnection(SmtpSocket& socket, SmtpClock& clock)
        : socket_(socket), reader_(socket, clock) {}
    ~SmtpConnection();
    SmtpConnection(const SmtpConnection&) = delete;
    SmtpConnection& operator=(const SmtpConnection&) = delete;

    // The greeting must be 220 and HELO's answer 250; a refused greeting is
    // still answered with QUIT, a server that is silent or talks nonsense
    // is not.
    int Connect(const std::string& host, uint16_t port);
    // Percent of the message sent so far, 0 to 100.
    using Progress = std::function<void(int percent)>;
    // The end of data is sent only when every byte before it went out.
    int SendMessage(const MailMessage& message, const ComposedMessage& composed,
                    const Progress& progress = {});
    int Disconnect();
    // From another thread: the send in progress fails at once.
    void cancel();

    bool connected() const { return connected_; }
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

    SmtpSocket& socket_;
    ReplyReader reader_;
    bool connected_ = false;
    // After a time-out, a closed connection or a reply that is no reply,
    // nothing more is said: a QUIT would only wait for the same again.
    bool broken_ = false;
    std::atomic<bool> cancelled_{false};
    int lastCode_ = 0;
    int lastError_ = 0;
    std::string lastResponse_;
};

}  // namespace kz8::mail
