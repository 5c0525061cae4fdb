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
    if (reply.error == 0 && reply.code == code) return true;
    if (reply.error != 0) broken_ = true;
    lastResponse_ = reply.text;
    lastError_ =
        reply.error != 0 && reply.error != kErrorUnexpectedReply ? reply.error : errorOtherwise;
    return false;
}

int SmtpConnection::Connect(const std::string& host, uint16_t port) {
    const int failed = socket_.connect(host, port);
    if (failed) {
        lastError_ = failed;
        return 0;
    }
    connected_ = true;
    if (!expect(220) || !send("HELO " + socket_.heloName() + "\r\n") || !expect(250)) {
        const int error = lastError_;
        Disconnect();
        lastError_ = error;
        return 0;
    }
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
    return expect(221, kErrorBadCommand) ? 1 : 0;
}

void SmtpConnection::cancel() {
    cancelled_ = true;
    socket_.shutdown();
}

}  // namespace kz8::mail
