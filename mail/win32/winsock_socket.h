// The SMTP session's connection over Windows Sockets 1.1: the host taken as
// a dotted address first and looked up by name only when it is none, a
// send that goes on until every byte is out, select for waiting. The
// socket never blocks: every wait is a select of 250 ms at most, so that a
// shutdown from another thread ends a connect, send or receive at once
// (Wine does not wake a blocked send for a shutdown).
#pragma once

#include <winsock2.h>

#include <atomic>

#include "mail/portable/smtp_socket.h"

namespace kz8::mail {

// Once per process: version 1.1, released again when not offered.
bool startWindowsSockets();

class WinsockSocket : public SmtpSocket {
public:
    WinsockSocket() = default;
    ~WinsockSocket() override;
    WinsockSocket(const WinsockSocket&) = delete;
    WinsockSocket& operator=(const WinsockSocket&) = delete;

    int connect(const std::string& host, uint16_t port) override;
    bool sendAll(const char* bytes, size_t size) override;
    WaitResult waitReadable(uint32_t milliseconds) override;
    long receive(char* into, size_t size) override;
    std::string heloName() override;
    void shutdown() override;

private:
    // Whether the socket became ready within the time, in steps that a
    // cancel can end.
    bool waitFor(bool writable, uint32_t milliseconds);

    std::atomic<SOCKET> socket_{INVALID_SOCKET};
    std::atomic<bool> cancelled_{false};
};

// The system's tick count, carried past its 49-day wrap.
class TickClock : public SmtpClock {
public:
    uint64_t milliseconds() override {
        const DWORD now = GetTickCount();
        if (now < last_) wraps_ += uint64_t(1) << 32;
        last_ = now;
        return wraps_ + now;
    }

private:
    DWORD last_ = 0;
    uint64_t wraps_ = 0;
};

}  // namespace kz8::mail
