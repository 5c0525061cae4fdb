#include "mail/win32/send_mail_session.h"

#include <commctrl.h>

#include <optional>

#include "mail/portable/server_text.h"
#include "mail/win32/address_book_file.h"
#include "mail/win32/mail_credentials.h"
#include "mail/win32/mail_environment.h"
#include "mail/win32/mail_module.h"
#include "mail/win32/vexil_calls.h"
#include "mail/win32/winsock_socket.h"
#include "skinui/include/vexil2.h"

namespace kz8::mail {

namespace {

constexpr int kStatusTextId = 0xFFFF;
constexpr int kProgressBarId = 1700;
constexpr int kStatusTextWidth = 100;
constexpr int kStatusGap = 5;
constexpr int kTextBytes = 50;  // the status texts' buffer: 49 characters

constexpr UINT kCannotConnectText = 51;
constexpr UINT kSendFailedText = 52;
constexpr UINT kConnectingText = 53;
constexpr UINT kSendingText = 54;
constexpr UINT kQuitText = 55;
constexpr UINT kOpenFileFailedText = 57;

HWND makeChild(const char* cls, const RECT& area, HWND parent, int id) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, area.left, area.top,
                           area.right - area.left, area.bottom - area.top, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), mailModule(), nullptr);
}

std::string copied(const char* text) { return text ? text : ""; }

}  // namespace

SendMailSession& SendMailSession::instance() {
    static SendMailSession session;
    return session;
}

void SendMailSession::initDialog(const RECT& area, HWND window) {
    SectionLock lock(guard_);
    window_ = window;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    statusText_ =
        makeChild("STATIC", {area.left, area.top, area.left + kStatusTextWidth, area.bottom},
                  window, kStatusTextId);
    SetWindowLongA(statusText_, GWL_EXSTYLE,
                   GetWindowLongA(statusText_, GWL_EXSTYLE) | WS_EX_STATICEDGE | WS_EX_TRANSPARENT);
    SetWindowPos(statusText_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    progressBar_ =
        makeChild(PROGRESS_CLASSA,
                  {area.left + kStatusTextWidth + kStatusGap, area.top, area.right, area.bottom},
                  window, kProgressBarId);
    SendMessageA(progressBar_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    if (!socketsStarted_) socketsStarted_ = startWindowsSockets();
}

void SendMailSession::setServer(const char* server) {
    SectionLock lock(guard_);
    // An empty server keeps the one given before.
    if (server && *server) server_ = server;
}

void SendMailSession::setSender(const char* sender) {
    SectionLock lock(guard_);
    sender_ = copied(sender);
}

void SendMailSession::setAttachment(const char* path) {
    SectionLock lock(guard_);
    attachmentPath_ = copied(path);
}

bool SendMailSession::workerRunning() const {
    return worker_ && WaitForSingleObject(worker_.get(), 0) == WAIT_TIMEOUT;
}

ResourceModule& SendMailSession::texts() {
    if (!texts_) texts_ = std::make_unique<ResourceModule>("Res_KZ8.dll");
    return *texts_;
}

std::string SendMailSession::text(UINT id) {
    char buffer[kTextBytes] = {};
    texts().loadString(id, buffer, kTextBytes);
    return buffer;
}

void SendMailSession::tell(UINT id) {
    std::string shown;
    HWND owner = nullptr;
    {
        SectionLock lock(guard_);
        shown = text(id);
        owner = window_;
    }
    MessageBoxA(owner, shown.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

std::optional<SendMailSession::LoginChoice> SendMailSession::chooseLogin(const std::string& target,
                                                                         const std::string& host) {
    std::string refusedUser;
    HWND owner = nullptr;
    {
        SectionLock lock(guard_);
        if (target == refusedTarget_) refusedUser = refusedUser_;
        owner = window_;
    }
    const bool refused = !refusedUser.empty();
    if (!refused)
        if (auto stored = readStoredLogin(target)) return LoginChoice{std::move(*stored), false};
    // The prompt is modal: asked without the lock, so the host's window
    // keeps working while it is up.
    auto answer = askForLogin(owner, host, refusedUser, refused);
    if (!answer) return std::nullopt;
    return LoginChoice{std::move(answer->login), answer->save};
}

void SendMailSession::rememberLoginAnswer(const std::string& target, const std::string& user,
                                          bool accepted) {
    SectionLock lock(guard_);
    if (accepted) {
        if (target == refusedTarget_) refusedTarget_.clear(), refusedUser_.clear();
    } else {
        refusedTarget_ = target;
        refusedUser_ = user;
    }
}

void SendMailSession::send() {
    std::optional<UINT> refused;
    ServerEndpoint endpoint;
    {
        SectionLock lock(guard_);
        if (workerRunning()) return;
        endpoint = parseServerText(server_);
        // Nothing to send: no reason to ask for a login either.
        ActiveTemplate sendMail("SendMail");
        if (templateEditText("SendMail_Edit_To").empty()) return;
    }
    std::optional<LoginChoice> login;
    const std::string target = credentialTarget(endpoint);
    if (endpoint.kind == SessionKind::Submission || endpoint.kind == SessionKind::ImplicitTls) {
        login = chooseLogin(target, endpoint.host);
        if (!login) return;  // the user cancelled: nothing is sent
    }
    {
        SectionLock lock(guard_);
        if (workerRunning()) return;
        std::string to, cc, subject, body;
        {
            ActiveTemplate sendMail("SendMail");
            to = templateEditText("SendMail_Edit_To");
            if (to.empty()) return;
            cc = templateEditText("SendMail_Edit_CC");
            subject = templateEditText("SendMail_Edit_Subject");
            body = templateEditText("SendMail_Edit_Text");
        }
        auto job = std::make_shared<SendJob>();
        MailMessage& message = job->message;
        if (!sender_.empty()) message.from = MailAddress{{}, sender_};
        message.subject = subject;
        message.SetBody(body);
        const AddressLookup lookup = lookUpAddressByName;
        const bool recipients = message.AddRecipients(to, kTo, lookup) == 1 &&
                                message.AddRecipients(cc, kCc, lookup) == 1;
        if (!recipients || !composeMessage(message, MailDate{}, systemCodePage())) {
            refused = kSendFailedText;
        } else if (!attachmentPath_.empty() && !attachFile(job->attachment, attachmentPath_)) {
            refused = kOpenFileFailedText;
        } else {
            if (!attachmentPath_.empty()) message.AddAttachment(&job->attachment);
            job->server = endpoint;
            job->sender = sender_;
            job->texts = {text(kCannotConnectText), text(kSendFailedText), text(kConnectingText),
                          text(kSendingText), text(kQuitText)};
            loadSessionFailureTexts(job->texts);
            if (login) {
                const std::string user = login->login.user;
                job->login = std::move(login->login);
                job->saveLogin = login->save;
                job->credentialTarget = target;
                job->loginAnswered = [this, target, user](bool accepted) {
                    rememberLoginAnswer(target, user, accepted);
                };
            }
            if (statusText_) job->status = SendStatus{progressBar_, statusText_};
            job->sendMailWindow = Vexil_GetTemplateHWND("SendMail");
            const SendJob* started = job.get();
            job->afterSending = [this, started] { releaseAfterSending(started); };
            job_ = job;
            worker_.reset(startSendWorker(job));
        }
    }
    if (refused) tell(*refused);
}

void SendMailSession::releaseState() {
    texts_.reset();
    job_.reset();
    worker_.reset();
}

void SendMailSession::cancel() {
    SectionLock lock(guard_);
    if (job_) job_->cancel();
    releaseState();
}

// The worker's own clean-up: only when the send it ran is still the
// current one (the host may have cancelled it and started another).
void SendMailSession::releaseAfterSending(const SendJob* job) {
    SectionLock lock(guard_);
    if (job_.get() == job) releaseState();
}

}  // namespace kz8::mail
