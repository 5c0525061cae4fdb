// The send-mail side of the library, one per process: the server, sender
// and attachment the host gave, the status line and progress bar in its
// window, the texts of the resource library, and the send in progress.
// The host's thread and the worker (whose clean-up after a send that
// succeeded is the host's cancel) share it under one lock.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/win32/critical_section.h"
#include "common/win32/handles.h"
#include "mail/win32/resource_module.h"
#include "mail/win32/send_worker.h"

namespace kz8::mail {

class SendMailSession {
public:
    static SendMailSession& instance();

    void initDialog(const RECT& area, HWND window);
    void setServer(const char* server);
    void setSender(const char* sender);
    void setAttachment(const char* path);
    // Builds the message from the "SendMail" window's fields and starts the
    // worker; refused while a worker runs. A malformed recipient or a file
    // that cannot be read is reported and sends nothing.
    void send();
    // Never waits: the worker in progress is cancelled and forgotten.
    void cancel();
    HWND window() const { return window_; }

private:
    SendMailSession() = default;
    bool workerRunning() const;
    ResourceModule& texts();
    std::string text(UINT id);
    // A box owned by the send-mail window, from the host's thread.
    void tell(UINT id);
    // The login a secure send uses: the stored one, unless it is missing
    // or was refused, else the user's answer to the prompt. Nothing when
    // the user cancelled.
    struct LoginChoice {
        MailLogin login;
        bool save = false;
    };
    std::optional<LoginChoice> chooseLogin(const std::string& target, const std::string& host);
    void rememberLoginAnswer(const std::string& target, const std::string& user, bool accepted);
    void releaseState();
    void releaseAfterSending(const SendJob* job);

    CriticalSection guard_;
    std::string server_, sender_, attachmentPath_;
    HWND window_ = nullptr;
    HWND statusText_ = nullptr, progressBar_ = nullptr;
    std::unique_ptr<ResourceModule> texts_;
    std::shared_ptr<SendJob> job_;
    KernelHandle worker_;
    bool socketsStarted_ = false;
    // The server that last refused a login, and the name it refused.
    std::string refusedTarget_, refusedUser_;
};

}  // namespace kz8::mail
