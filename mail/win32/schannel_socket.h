// TLS over the SMTP connection through the platform's Schannel: TLS 1.2
// and 1.3 only, the handshake over the connection as it stands (after
// STARTTLS, or from the first byte), our own check of the server's
// certificate, records in both directions, and close_notify. Until the
// handshake, bytes pass through as they are.
#pragma once

#ifndef SECURITY_WIN32
#define SECURITY_WIN32
#endif
#include <windows.h>
// after windows.h, whose types they use
#include <schannel.h>
#include <security.h>

#include <string>

#include "mail/portable/secure_channel.h"
#include "mail/portable/smtp_socket.h"

namespace kz8::mail {

class SchannelSocket : public SmtpSocket, public SecureChannel {
public:
    SchannelSocket(SmtpSocket& transport, SmtpClock& clock)
        : transport_(transport), clock_(clock) {}
    ~SchannelSocket() override;
    SchannelSocket(const SchannelSocket&) = delete;
    SchannelSocket& operator=(const SchannelSocket&) = delete;

    int connect(const std::string& host, uint16_t port) override {
        return transport_.connect(host, port);
    }
    bool sendAll(const char* bytes, size_t size) override;
    WaitResult waitReadable(uint32_t milliseconds) override;
    long receive(char* into, size_t size) override;
    std::string heloName() override { return transport_.heloName(); }
    void shutdown() override { transport_.shutdown(); }

    TlsOutcome start(const std::string& host) override;
    int lastError() const override { return error_; }
    void close() override;

private:
    // Until the handshake is complete, answering the server's tokens with
    // ours; false with error_ set when it cannot be completed.
    bool handshake();
    // Sends an output token Schannel allocated, and frees it.
    bool sendToken(SecBuffer& token);
    // More bytes from the server into incoming_; false when none came
    // within the handshake's time or the connection ended.
    bool readMore(uint64_t deadline);
    // Turns the whole records in incoming_ into plain text.
    void decryptRecords();
    void release();

    SmtpSocket& transport_;
    SmtpClock& clock_;
    std::string targetName_;  // for SNI; empty for an address
    CredHandle credentials_{};
    CtxtHandle context_{};
    bool haveCredentials_ = false;
    bool haveContext_ = false;
    bool up_ = false;
    bool peerClosed_ = false;
    bool failed_ = false;
    SecPkgContext_StreamSizes sizes_{};
    std::string incoming_;  // received, not yet decrypted
    std::string plain_;     // decrypted, not yet taken
    int error_ = 0;
};

}  // namespace kz8::mail
