// A scripted SMTP server for tests and fuzzing: what it answers, in
// packets that arrive at given times of a fake clock that moves only while
// the client waits; and everything the client sent.
#pragma once

#include <cstring>
#include <deque>
#include <string>

#include "mail/portable/secure_channel.h"
#include "mail/portable/smtp_socket.h"

namespace kz8::mail::testkit {

class FakeClock : public SmtpClock {
public:
    uint64_t now = 0;
    uint64_t milliseconds() override { return now; }
};

class FakeSmtpSocket : public SmtpSocket {
public:
    explicit FakeSmtpSocket(FakeClock& clock) : clock_(clock) {}

    struct Packet {
        uint64_t at;  // fake milliseconds
        std::string bytes;
    };
    std::deque<Packet> packets;
    bool closesAfterPackets = false;  // else silence when they run out
    int connectError = 0;
    int failingSend = -1;  // counted from 0
    std::string sent;

    // Each packet right after the one before it.
    void answer(const std::string& bytes) { packets.push_back({clock_.now, bytes}); }

    int connect(const std::string&, uint16_t) override { return connectError; }
    bool sendAll(const char* bytes, size_t size) override {
        if (sends_++ == failingSend) return false;
        sent.append(bytes, size);
        return true;
    }
    WaitResult waitReadable(uint32_t milliseconds) override {
        if (ready()) return WaitResult::Readable;
        clock_.now += milliseconds;
        return ready() ? WaitResult::Readable : WaitResult::TimedOut;
    }
    long receive(char* into, size_t size) override {
        if (packets.empty()) return 0;
        Packet& first = packets.front();
        const size_t n = std::min(size, first.bytes.size());
        std::memcpy(into, first.bytes.data(), n);
        first.bytes.erase(0, n);
        if (first.bytes.empty()) packets.pop_front();
        return long(n);
    }
    std::string heloName() override { return "client.example.com"; }
    void shutdown() override { closesAfterPackets = true; }

private:
    bool ready() const {
        return packets.empty() ? closesAfterPackets : packets.front().at <= clock_.now;
    }
    FakeClock& clock_;
    int sends_ = 0;
};

// TLS that only marks in the client's bytes where it started and closed.
class FakeSecureChannel : public SecureChannel {
public:
    explicit FakeSecureChannel(FakeSmtpSocket& socket) : socket_(socket) {}
    TlsOutcome outcome = TlsOutcome::Secure;
    std::string host;

    TlsOutcome start(const std::string& name) override {
        host = name;
        socket_.sent += "<tls>\r\n";
        return outcome;
    }
    int lastError() const override { return outcome == TlsOutcome::Secure ? 0 : -1; }
    void close() override { socket_.sent += "<close>\r\n"; }

private:
    FakeSmtpSocket& socket_;
};

}  // namespace kz8::mail::testkit
