// The SMTP session's connection over POSIX sockets, for native tests and
// the benchmark: the same contract as the Windows transport (dotted
// address first, then a name lookup; waits in poll steps a shutdown ends).
#pragma once

#include <atomic>

#include "mail/portable/smtp_socket.h"

namespace kz8::mail {

class PosixSmtpSocket : public SmtpSocket {
public:
    PosixSmtpSocket() = default;
    ~PosixSmtpSocket() override;
    PosixSmtpSocket(const PosixSmtpSocket&) = delete;
    PosixSmtpSocket& operator=(const PosixSmtpSocket&) = delete;

    int connect(const std::string& host, uint16_t port) override;
    bool sendAll(const char* bytes, size_t size) override;
    WaitResult waitReadable(uint32_t milliseconds) override;
    long receive(char* into, size_t size) override;
    std::string heloName() override;
    void shutdown() override;

private:
    int socket_ = -1;
    std::atomic<bool> cancelled_{false};
};

class SteadyClock : public SmtpClock {
public:
    uint64_t milliseconds() override;
};

}  // namespace kz8::mail
