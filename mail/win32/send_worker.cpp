#include "mail/win32/send_worker.h"

#include <commctrl.h>

#include "mail/win32/mail_credentials.h"
#include "mail/win32/mail_environment.h"
#include "mail/win32/mail_module.h"
#include "mail/win32/secure_send_texts.h"

namespace kz8::mail {

namespace {

// What the thread owns: its share of the job and a reference on the
// module, given back as the thread ends.
struct WorkerStart {
    std::shared_ptr<SendJob> job;
    HMODULE module = nullptr;
};

DWORD WINAPI workerProcedure(void* parameter) {
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(parameter));
    const SendResult result = start->job->run();
    HMODULE module = start->module;
    start.reset();  // the job may go before the module does
    if (module) FreeLibraryAndExitThread(module, DWORD(result));
    return DWORD(result);
}

std::string ownText(UINT id) {
    char buffer[256] = {};
    LoadStringA(mailModule(), id, buffer, int(sizeof buffer));
    return buffer;
}

}  // namespace

void loadSessionFailureTexts(SendTexts& texts) {
    const std::pair<SessionFailure, UINT> reasons[] = {
        {SessionFailure::Untrusted, IDS_CERTIFICATE_UNTRUSTED},
        {SessionFailure::WrongServer, IDS_CERTIFICATE_WRONG_SERVER},
        {SessionFailure::NoSecureOffer, IDS_NO_SECURE_OFFER},
        {SessionFailure::NoSecureConnection, IDS_NO_SECURE_CONNECTION},
        {SessionFailure::LoginRefused, IDS_LOGIN_REFUSED},
        {SessionFailure::NoLogin, IDS_NO_LOGIN},
    };
    for (const auto& [failure, id] : reasons) texts.reasons[int(failure)] = ownText(id);
}

void SendJob::show(const std::string& text) const {
    if (!cancelled_ && status)
        SendMessageA(status->statusText, WM_SETTEXT, 0, LPARAM(text.c_str()));
}

void SendJob::setProgress(int percent) const {
    if (!cancelled_ && status) SendMessageA(status->progressBar, PBM_SETPOS, WPARAM(percent), 0);
}

void SendJob::tell(const std::string& text) const {
    if (!cancelled_) MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void SendJob::closeSendMailWindow() const {
    if (!cancelled_ && sendMailWindow) PostMessageA(sendMailWindow, WM_CLOSE, 0, 0);
}

SendResult SendJob::run() {
    if (!status) {
        closeSendMailWindow();
        return kSent;
    }
    show(texts.connecting);
    if (!connect()) {
        SetLastError(DWORD(connection_.lastError()));
        const std::string& reason = texts.reasons[int(connection_.failure())];
        if (reason.empty()) {
            tell(texts.cannotConnect);
        } else {
            show(reason);
            tell(texts.cannotConnect + "\n\n" + reason);
        }
        closeSendMailWindow();
        return kNoConnection;
    }
    show(texts.sending);
    message.replyTo = MailAddress{{}, sender};
    if (server.kind != SessionKind::Classic)
        message.messageId = newMessageId(message.from.address, socket_.heloName());
    if (message.subject.empty()) message.subject = "  ";
    const auto composed = composeMessage(message, localMailDate(), systemCodePage());
    const bool sent = composed && connection_.SendMessage(message, *composed, [this](int percent) {
        setProgress(percent);
    }) == 1;
    if (!sent) {
        SetLastError(DWORD(composed ? connection_.lastError() : kErrorInvalidData));
        tell(texts.sendFailed);
        closeSendMailWindow();
        return kSendFailed;
    }
    show(texts.quit);
    connection_.Disconnect();
    closeSendMailWindow();
    if (afterSending && !cancelled_) afterSending();
    return kSent;
}

bool SendJob::connect() {
    const bool connected = connection_.Connect(server, login) == 1;
    const bool refused = connection_.failure() == SessionFailure::LoginRefused;
    if (connection_.loggedIn() && saveLogin) storeLogin(credentialTarget, login);
    wipe(login.password);
    if ((connection_.loggedIn() || refused) && loginAnswered && !cancelled_)
        loginAnswered(connection_.loggedIn());
    return connected;
}

void SendJob::cancel() {
    cancelled_ = true;
    connection_.cancel();
}

HANDLE startSendWorker(std::shared_ptr<SendJob> job) {
    auto start = std::make_unique<WorkerStart>();
    start->job = std::move(job);
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&workerProcedure), &start->module);
    HANDLE thread = CreateThread(nullptr, 0, workerProcedure, start.get(), 0, nullptr);
    if (!thread) {
        if (start->module) FreeLibrary(start->module);
        return nullptr;
    }
    start.release();  // the thread owns it now
    return thread;
}

}  // namespace kz8::mail
