// One send, run on a thread of its own: the job owns everything the worker
// touches (message, attachment, connection, the texts it shows, the
// windows it reports to), so the host may cancel and forget it at any
// time. A cancelled worker sends no end of data, shows nothing and leaves
// every window alone.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "mail/portable/mail_message.h"
#include "mail/portable/server_text.h"
#include "mail/portable/smtp_connection.h"
#include "mail/win32/schannel_socket.h"
#include "mail/win32/winsock_socket.h"

namespace kz8::mail {

// Strings 51 to 55 of the resource library and Email.dll's reasons why a
// secure session failed, loaded before the worker starts.
struct SendTexts {
    std::string cannotConnect, sendFailed, connecting, sending, quit;
    std::string reasons[int(SessionFailure::NoLogin) + 1];  // none for None
};

// The reasons, from this library's own string table.
void loadSessionFailureTexts(SendTexts& texts);

// The progress bar (0 to 100) and the status line of the send-mail window.
struct SendStatus {
    HWND progressBar = nullptr;
    HWND statusText = nullptr;
};

enum SendResult : int { kSent = 0, kNoConnection = -1, kSendFailed = -2 };

class SendJob {
public:
    MailMessage message;
    MailAttachment attachment;  // the message may refer to it
    ServerEndpoint server;
    std::string sender;
    // For the submission and implicit-TLS sessions.
    MailLogin login;
    std::string credentialTarget;
    bool saveLogin = false;  // once the server has accepted it
    // Run on the worker's thread when a server answered the login.
    std::function<void(bool accepted)> loginAnswered;
    SendTexts texts;
    std::optional<SendStatus> status;  // none: the window is only closed
    HWND sendMailWindow = nullptr;
    // Run on the worker's thread after a send that succeeded.
    std::function<void()> afterSending;

    SendJob() : secure_(socket_, clock_), connection_(secure_, clock_, &secure_) {}
    // The worker's procedure.
    SendResult run();
    // From any thread: a blocked send or receive returns at once.
    void cancel();
    bool cancelled() const { return cancelled_; }
    const SmtpConnection& connection() const { return connection_; }

private:
    void show(const std::string& text) const;
    void setProgress(int percent) const;
    void tell(const std::string& text) const;
    void closeSendMailWindow() const;
    bool connect();

    WinsockSocket socket_;
    TickClock clock_;
    SchannelSocket secure_;
    SmtpConnection connection_;
    std::atomic<bool> cancelled_{false};
};

// Starts the worker; it keeps this library loaded until it has ended. The
// thread's handle, or null when no thread could be made.
HANDLE startSendWorker(std::shared_ptr<SendJob> job);

}  // namespace kz8::mail
