// The SMTP session against a scripted server on a fake clock: replies in
// any packets, the limits on slow and endless ones, and a transaction that
// stops at its first failure without ever ending the data early.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/portable/smtp_connection.h"
#include "mail/portable/smtp_reply.h"
#include "mail/tests/fake_smtp_socket.h"

namespace kz8::mail {
namespace {

using testkit::FakeClock;
using testkit::FakeSmtpSocket;

struct ReplyCase {
    const char* label;
    std::vector<std::string> packets;
    ReplyLimits limits;
    int code, error;
    uint64_t endsBy;  // fake milliseconds
};

TEST(ReplyReader, RepliesLimitsAndMalformedLines) {
    const std::string oneMegabyte(1 << 20, 'x');
    const std::vector<ReplyCase> cases = {
        {"one line", {"250 ok\r\n"}, {}, 250, 0, 0},
        {"multi-line", {"250-first\r\n250-second\r\n250 last\r\n"}, {}, 250, 0, 0},
        {"split", {"25", "0-a\r", "\n250 b", "\r\n"}, {}, 250, 0, 0},
        {"code alone", {"220\r\n"}, {}, 220, 0, 0},
        {"letters", {"25x ok\r\n"}, {}, 0, kErrorUnexpectedReply, 0},
        {"one digit", {"2\r\n"}, {}, 0, kErrorUnexpectedReply, 0},
        {"four digits", {"2500 ok\r\n"}, {}, 0, kErrorUnexpectedReply, 0},
        {"over the cap", {oneMegabyte}, {}, 0, kErrorUnexpectedReply, 0},
        {"silence", {}, {}, 0, kErrorTimedOut, 10250},
        {"end of data: long silence is fine", {}, kEndOfDataLimits, 0, kErrorTimedOut, 600250},
    };
    for (const ReplyCase& c : cases) {
        FakeClock clock;
        FakeSmtpSocket socket(clock);
        for (const std::string& packet : c.packets) socket.answer(packet);
        ReplyReader reader(socket, clock);
        const Reply reply = reader.read(c.limits);
        EXPECT_EQ(reply.code, c.code) << c.label;
        EXPECT_EQ(reply.error, c.error) << c.label;
        EXPECT_LE(clock.now, c.endsBy) << c.label;
    }
}

TEST(ReplyReader, KeepsTheNextReplyAndStopsADripFeed) {
    FakeClock clock;
    FakeSmtpSocket socket(clock);
    socket.answer("250 first\r\n354 second\r\n");
    ReplyReader reader(socket, clock);
    EXPECT_EQ(reader.read().code, 250);
    EXPECT_EQ(reader.read().code, 354);

    // A byte every 5 s never trips the idle limit, but the reply's own.
    for (int i = 1; i < 200; ++i) socket.packets.push_back({uint64_t(i) * 5000, "2"});
    const Reply dripped = reader.read();
    EXPECT_EQ(dripped.error, kErrorTimedOut);
    EXPECT_GE(clock.now, 300000u);
    EXPECT_LT(clock.now, 306000u);

    FakeSmtpSocket closing(clock);
    closing.answer("250-half");
    closing.closesAfterPackets = true;
    ReplyReader cut(closing, clock);
    const uint64_t before = clock.now;
    EXPECT_EQ(cut.read().error, kErrorConnectionClosed);
    EXPECT_EQ(clock.now, before) << "at once, not at the time-out";
}

MailMessage twoRecipients() {
    MailMessage message;
    message.from = {"", "me@example.com"};
    message.AddRecipients("a@example.com", kTo, {});
    message.AddRecipients("b@example.com", kBcc, {});
    message.SetBody("text");
    return message;
}

TEST(SmtpConnection, ATransactionAndWhereItStops) {
    FakeClock clock;
    FakeSmtpSocket socket(clock);
    for (const char* reply : {"220-hello\r\n220 there\r\n", "250 hi\r\n", "250 ok\r\n", "250 a\r\n",
                              "250 b\r\n", "354 go\r\n", "250 queued\r\n", "221 bye\r\n"})
        socket.answer(reply);
    SmtpConnection connection(socket, clock);
    ASSERT_EQ(connection.Connect("mail.example.com", 25), 1);
    const MailMessage message = twoRecipients();
    MailAttachment file;
    const std::vector<uint8_t> bytes(3000, 'z');
    file.encode("f.bin", bytes.data(), bytes.size());
    MailMessage withFile = message;
    withFile.AddAttachment(&file);
    const auto composed = composeMessage(withFile, MailDate{}, TextCodePage{});
    std::vector<int> progress;
    ASSERT_EQ(connection.SendMessage(withFile, *composed, [&](int p) { progress.push_back(p); }),
              1);
    EXPECT_EQ(connection.Disconnect(), 1);
    EXPECT_EQ(
        socket.sent.substr(0, 78),
        "HELO client.example.com\r\nMAIL FROM:<me@example.com>\r\nRCPT TO:<a@example.com>\r\n");
    EXPECT_NE(socket.sent.find("RCPT TO:<b@example.com>\r\nDATA\r\n"), std::string::npos);
    EXPECT_EQ(socket.sent.substr(socket.sent.size() - 11), "\r\n.\r\nQUIT\r\n");
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);

    FakeSmtpSocket refusing(clock);
    for (const char* reply : {"250 ok\r\n", "550 no such user\r\n"}) refusing.answer(reply);
    SmtpConnection second(refusing, clock);
    EXPECT_EQ(second.SendMessage(message, *composeMessage(message, {}, {})), 0);
    EXPECT_EQ(second.lastError(), kErrorBadCommand);
    EXPECT_EQ(second.lastResponse(), "550 no such user\r\n");
    EXPECT_EQ(refusing.sent.find("DATA"), std::string::npos);

    // A chunk that fails ends the send: the server never sees an end of data.
    FakeSmtpSocket failing(clock);
    for (const char* reply : {"250 ok\r\n", "250 a\r\n", "250 b\r\n", "354 go\r\n"})
        failing.answer(reply);
    failing.failingSend = 6;  // MAIL, RCPT, RCPT, DATA, the head, the opening, a chunk
    SmtpConnection third(failing, clock);
    EXPECT_EQ(third.SendMessage(withFile, *composed), 0);
    EXPECT_EQ(failing.sent.find("\r\n.\r\n"), std::string::npos);
}

TEST(SmtpConnection, AGreetingRefusedIsStillAnsweredWithQuit) {
    FakeClock clock;
    FakeSmtpSocket socket(clock);
    socket.answer("421 busy\r\n");
    socket.closesAfterPackets = true;
    SmtpConnection connection(socket, clock);
    EXPECT_EQ(connection.Connect("mail.example.com", 25), 0);
    EXPECT_EQ(socket.sent, "QUIT\r\n");
    EXPECT_LT(clock.now, 1000u);
    EXPECT_FALSE(connection.connected());
}

}  // namespace
}  // namespace kz8::mail
