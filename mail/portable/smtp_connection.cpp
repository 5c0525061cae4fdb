#include "mail/portable/smtp_connection.h"

#include <algorithm>

namespace kz8::mail {

namespace {

constexpr size_t kChunkBytes = 1024;

int percentOf(uint64_t done, uint64_t total) {
    if (total == 0) return 0;
    return int(std::min<uint64_t>(100, done * 100 / total));
}

}  // namespace

SmtpConnection::~SmtpConnection() {
    if (connected_) Disconnect();
}

bool SmtpConnection::send(const std::string& bytes) {
    if (cancelled_) return false;
    if (socket_.sendAll(bytes.data(), bytes.size())) return true;
    lastError_ = kErrorConnectionClosed;
    broken_ = true;
    return false;
}

bool SmtpConnection::expect(int code, int errorOtherwise, const ReplyLimits& limits) {
    const Reply reply = reader_.read(limits);
    lastCode_ = reply.code;
    lastReply_ = reply.text;
    if (reply.error == 0 && reply.code == code) return true;
    if (reply.error != 0) broken_ = true;
    lastResponse_ = reply.text;
    lastError_ =
        reply.error != 0 && reply.error != kErrorUnexpectedReply ? reply.error : errorOtherwise;
    return false;
}

int SmtpConnection::failConnect(SessionFailure failure) {
    const int error = lastError_;
    failure_ = failure;
    Disconnect();
    lastError_ = error;
    return 0;
}

int SmtpConnection::Connect(const std::string& host, uint16_t port) {
    const int failed = socket_.connect(host, port);
    if (failed) {
        lastError_ = failed;
        return 0;
    }
    connected_ = true;
    if (!expect(220) || !send("HELO " + socket_.heloName() + "\r\n") || !expect(250))
        return failConnect();
    return 1;
}

bool SmtpConnection::secureTheChannel(const std::string& host) {
    // Nothing may be said in the clear after this: the channel is either
    // secure or done for.
    broken_ = true;
    if (!secure_) {
        failure_ = SessionFailure::NoSecureConnection;
        return false;
    }
    const TlsOutcome outcome = secure_->start(host);
    if (outcome != TlsOutcome::Secure) {
        lastError_ = secure_->lastError();
        failure_ = outcome == TlsOutcome::Untrusted     ? SessionFailure::Untrusted
                   : outcome == TlsOutcome::WrongServer ? SessionFailure::WrongServer
                                                        : SessionFailure::NoSecureConnection;
        return false;
    }
    secured_ = true;
    broken_ = false;
    return true;
}

bool SmtpConnection::greetExtended(EhloOffer& offer) {
    if (!send("EHLO " + socket_.heloName() + "\r\n") || !expect(250)) return false;
    offer = parseEhloReply(lastReply_);
    return true;
}

bool SmtpConnection::logIn(const EhloOffer& offer, const MailLogin& login) {
    const LoginMechanism mechanism = chooseLogin(offer);
    // Without a login we know, the server decides whether the mail goes.
    if (!offer.auth || mechanism == LoginMechanism::None) return true;
    if (login.user.empty()) {
        failure_ = SessionFailure::NoLogin;
        return false;
    }
    bool answered = false;
    if (mechanism == LoginMechanism::Plain) {
        std::string command = authPlainCommand(login.user, login.password);
        answered = send(command);
        wipe(command);
    } else {
        std::string password = authLoginAnswer(login.password);
        answered = send("AUTH LOGIN\r\n") && expect(334) && send(authLoginAnswer(login.user)) &&
                   expect(334) && send(password);
        wipe(password);
    }
    if (answered && expect(235)) {
        loggedIn_ = true;
        return true;
    }
    // A reply that came and was not 235 is the server saying no.
    if (!broken_) failure_ = SessionFailure::LoginRefused;
    return false;
}

int SmtpConnection::Connect(const ServerEndpoint& endpoint, const MailLogin& login) {
    failure_ = SessionFailure::None;
    if (endpoint.kind == SessionKind::Invalid) {
        lastError_ = kErrorHostNotFound;
        return 0;
    }
    if (endpoint.kind == SessionKind::Classic) return Connect(endpoint.host, endpoint.port);
    const int failed = socket_.connect(endpoint.host, endpoint.port);
    if (failed) {
        lastError_ = failed;
        return 0;
    }
    connected_ = true;
    if (endpoint.kind == SessionKind::ImplicitTls && !secureTheChannel(endpoint.host))
        return failConnect(failure_);
    EhloOffer offer;
    if (!expect(220) || !greetExtended(offer)) return failConnect();
    if (!secured_) {
        if (!offer.startTls) return failConnect(SessionFailure::NoSecureOffer);
        if (!send("STARTTLS\r\n") || !expect(220)) return failConnect();
        // Bytes after the 220 came before the handshake: plaintext that
        // would pass for the server's words once TLS is up.
        if (!reader_.pending().empty()) {
            broken_ = true;
            return failConnect(SessionFailure::NoSecureConnection);
        }
        if (!secureTheChannel(endpoint.host)) return failConnect(failure_);
        if (!greetExtended(offer)) return failConnect();
    }
    if (!logIn(offer, login)) return failConnect(failure_);
    return 1;
}

bool SmtpConnection::sendData(const std::string& bytes, DotStuffer& stuffer) {
    return send(stuffer.apply(bytes));
}

int SmtpConnection::SendMessage(const MailMessage& message, const ComposedMessage& composed,
                                const Progress& progress) {
    if (!send("MAIL FROM:<" + message.from.address + ">\r\n") || !expect(250, kErrorBadCommand))
        return 0;
    for (const auto* list : {&message.toList, &message.ccList, &message.bccList})
        for (const MailAddress& recipient : *list)
            if (!send("RCPT TO:<" + recipient.address + ">\r\n") || !expect(250, kErrorBadCommand))
                return 0;
    if (!send("DATA\r\n") || !expect(354, kErrorBadCommand)) return 0;

    DotStuffer stuffer;
    if (!sendData(composed.head, stuffer)) return 0;
    uint64_t sent = composed.textSize;
    if (progress) progress(percentOf(sent, composed.sizeForProgress));
    for (const ComposedMessage::Part& part : composed.parts) {
        if (!sendData(part.opening, stuffer)) return 0;
        const std::string& lines = *part.lines;
        for (size_t at = 0; at < lines.size(); at += kChunkBytes) {
            const size_t size = std::min(kChunkBytes, lines.size() - at);
            if (!sendData(lines.substr(at, size), stuffer)) return 0;
            sent += size;
            if (progress) progress(percentOf(sent, composed.sizeForProgress));
        }
    }
    if (!sendData(composed.closing, stuffer)) return 0;
    if (!send("\r\n.\r\n") || !expect(250, kErrorBadCommand, kEndOfDataLimits)) return 0;
    return 1;
}

int SmtpConnection::Disconnect() {
    if (!connected_) return 0;
    connected_ = false;
    if (broken_ || !send("QUIT\r\n")) return 0;
    const bool said = expect(221, kErrorBadCommand);
    if (secured_ && !broken_) secure_->close();
    return said ? 1 : 0;
}

void SmtpConnection::cancel() {
    cancelled_ = true;
    socket_.shutdown();
}

}  // namespace kz8::mail
