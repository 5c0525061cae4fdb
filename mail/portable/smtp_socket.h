// What the SMTP session needs of a TCP connection and of time, so that the
// session runs over Winsock in the product, over POSIX sockets in native
// tests and the benchmark, and over scripted fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kz8::mail {

// The error codes a send leaves behind (the platform's socket numbers).
constexpr int kErrorHostNotFound = 10022;
constexpr int kErrorUnexpectedReply = 10043;
constexpr int kErrorConnectionClosed = 10054;
constexpr int kErrorTimedOut = 10060;
constexpr int kErrorBadCommand = 22;

enum class WaitResult { Readable, TimedOut, Failed };

class SmtpSocket {
public:
    virtual ~SmtpSocket() = default;
    // 0, or the error: kErrorHostNotFound when the name resolves to nothing.
    virtual int connect(const std::string& host, uint16_t port) = 0;
    // Every byte, or false.
    virtual bool sendAll(const char* bytes, size_t size) = 0;
    virtual WaitResult waitReadable(uint32_t milliseconds) = 0;
    // Bytes received; 0 when the peer closed; negative on an error.
    virtual long receive(char* into, size_t size) = 0;
    // The name HELO gives: the host name, or "[a.b.c.d]" of the local end.
    virtual std::string heloName() = 0;
    // Makes a blocked send or receive return; the socket is done for.
    virtual void shutdown() = 0;
};

class SmtpClock {
public:
    virtual ~SmtpClock() = default;
    virtual uint64_t milliseconds() = 0;
};

}  // namespace kz8::mail
