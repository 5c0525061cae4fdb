// Any server bytes as SMTP replies, split into packets where the fuzzer
// chooses: each packet is a length byte and that many bytes. Every reply
// must be whole lines or an error without a code, memory must stay within
// the cap, and each reply is also read as an EHLO offer. The same bytes
// then answer a submission session, EHLO and the AUTH exchange included:
// whatever they say, nothing but EHLO, STARTTLS and QUIT goes out before
// the handshake.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mail/portable/smtp_connection.h"
#include "mail/portable/smtp_extensions.h"
#include "mail/portable/smtp_reply.h"
#include "mail/tests/fake_smtp_socket.h"

namespace {

void loadPackets(kz8::mail::testkit::FakeSmtpSocket& socket, uint64_t now, const uint8_t* data,
                 size_t size) {
    for (size_t at = 0; at < size;) {
        const size_t length = std::min<size_t>(data[at], size - at - 1);
        socket.packets.push_back({now + at, std::string(data + at + 1, data + at + 1 + length)});
        at += 1 + length;
    }
    socket.closesAfterPackets = true;
}

bool onlyClearCommands(const std::string& sent) {
    const size_t tls = sent.find("<tls>\r\n");
    const std::string clear = sent.substr(0, tls);
    for (size_t at = 0; at < clear.size();) {
        const size_t end = clear.find("\r\n", at);
        const std::string line = clear.substr(at, end - at);
        if (line.rfind("EHLO ", 0) != 0 && line != "STARTTLS" && line != "QUIT") return false;
        at = end + 2;
    }
    return true;
}

void submit(const uint8_t* data, size_t size) {
    kz8::mail::testkit::FakeClock clock;
    kz8::mail::testkit::FakeSmtpSocket socket(clock);
    loadPackets(socket, clock.now, data, size);
    kz8::mail::testkit::FakeSecureChannel secure(socket);
    kz8::mail::SmtpConnection connection(socket, clock, &secure);
    const kz8::mail::MailLogin login("user", "secret");
    connection.Connect(kz8::mail::parseServerText("mail.example.com:587"), login);
    if (!onlyClearCommands(socket.sent)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    submit(data, size);
    kz8::mail::testkit::FakeClock clock;
    kz8::mail::testkit::FakeSmtpSocket socket(clock);
    loadPackets(socket, clock.now, data, size);
    kz8::mail::ReplyReader reader(socket, clock);
    const kz8::mail::ReplyLimits limits{10000, 300000, 512};
    for (int replies = 0; replies < 64; ++replies) {
        const kz8::mail::Reply reply = reader.read(limits);
        const bool whole =
            reply.text.size() >= 5 && reply.text.compare(reply.text.size() - 2, 2, "\r\n") == 0;
        if (reply.error == 0 && !whole) __builtin_trap();
        if (reply.error != 0 && reply.code != 0) __builtin_trap();
        // Every reply could be an answer to EHLO.
        kz8::mail::chooseLogin(kz8::mail::parseEhloReply(reply.text));
        if (reader.pending().size() > limits.largestReply + 4096) __builtin_trap();
        if (reply.error) break;
    }
    return 0;
}
