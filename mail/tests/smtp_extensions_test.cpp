// Today's submission without a server: the server text's port and session
// kind, what an EHLO reply offers, the login chosen and its texts, the
// Message-ID, and the secure sessions against scripted servers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/portable/server_text.h"
#include "mail/portable/smtp_connection.h"
#include "mail/portable/smtp_extensions.h"
#include "mail/tests/fake_smtp_socket.h"

namespace kz8::mail {
namespace {

TEST(ServerText, PortsChooseTheSession) {
    struct Case {
        std::string text, host;
        uint16_t port;
        SessionKind kind;
    };
    const std::vector<Case> cases = {
        {"mail.example.com", "mail.example.com", 25, SessionKind::Classic},
        {"mail.example.com:587", "mail.example.com", 587, SessionKind::Submission},
        {"10.0.0.1:465", "10.0.0.1", 465, SessionKind::ImplicitTls},
        {"mail.example.com:2525", "mail.example.com", 2525, SessionKind::Classic},
        {"mail.example.com:0", "mail.example.com", 25, SessionKind::Invalid},
        {"mail.example.com:65536", "mail.example.com", 25, SessionKind::Invalid},
        {"mail.example.com:58x", "mail.example.com", 25, SessionKind::Invalid},
        {"mail.example.com:", "mail.example.com", 25, SessionKind::Invalid},
        {"mail.example.com:-1", "mail.example.com", 25, SessionKind::Invalid},
    };
    for (const Case& c : cases) {
        const ServerEndpoint endpoint = parseServerText(c.text);
        EXPECT_EQ(endpoint.host, c.host) << c.text;
        EXPECT_EQ(endpoint.kind, c.kind) << c.text;
        if (c.kind != SessionKind::Invalid) {
            EXPECT_EQ(endpoint.port, c.port) << c.text;
        }
    }
    EXPECT_EQ(credentialTarget(parseServerText("Mail.Example.COM:587")),
              "KZ8Mail:mail.example.com");

    // A dotted address gets no SNI and is matched against the certificate's
    // address entries; anything else is a name.
    const std::array<uint8_t, 4> loopback{127, 0, 0, 9};
    EXPECT_EQ(parseDottedAddress("127.0.0.9"), loopback);
    for (const char* name : {"localhost", "127.0.0", "127.0.0.9.", "127.0.0.256", "1.2.3.4x",
                             "127.0.0.0009", "127..0.1", ""})
        EXPECT_FALSE(parseDottedAddress(name)) << name;
}

TEST(EhloOffer, KeywordsMechanismsAndTheLoginChosen) {
    struct Case {
        const char* reply;
        bool startTls, auth;
        LoginMechanism login;
    };
    const std::vector<Case> cases = {
        {"250-mail.example.com hi\r\n250-STARTTLS\r\n250 SIZE 1000\r\n", true, false,
         LoginMechanism::None},
        {"250-hi\r\n250-auth login Plain\r\n250 8BITMIME\r\n", false, true, LoginMechanism::Plain},
        {"250-hi\r\n250 AUTH LOGIN\r\n", false, true, LoginMechanism::Login},
        {"250-hi\r\n250 AUTH=LOGIN\r\n", false, true, LoginMechanism::Login},
        {"250-hi\r\n250 AUTH LOGIN CRAM-MD5\r\n", false, true, LoginMechanism::None},
        {"250-STARTTLS is only a greeting here\r\n250 OK\r\n", false, false, LoginMechanism::None},
        {"250 hi\r\n", false, false, LoginMechanism::None},
    };
    for (const Case& c : cases) {
        const EhloOffer offer = parseEhloReply(c.reply);
        EXPECT_EQ(offer.startTls, c.startTls) << c.reply;
        EXPECT_EQ(offer.auth, c.auth) << c.reply;
        EXPECT_EQ(chooseLogin(offer), c.login) << c.reply;
    }
}

TEST(Login, TextsAndMessageId) {
    EXPECT_EQ(authPlainCommand("user", "pass"), "AUTH PLAIN AHVzZXIAcGFzcw==\r\n");
    EXPECT_EQ(authLoginAnswer("user"), "dXNlcg==\r\n");
    const uint8_t random[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    EXPECT_EQ(formatMessageId("20261209143000", random, "me@example.com", "client"),
              "<20261209143000.00112233445566778899aabbccddeeff@example.com>");
    EXPECT_EQ(formatMessageId("20261209143000", random, "", "client.example.com"),
              "<20261209143000.00112233445566778899aabbccddeeff@client.example.com>");
}

TEST(SecureSession, WhatGoesOutAndWhereItStops) {
    const std::string ehlo = "EHLO client.example.com\r\n";
    const std::string plain = "AUTH PLAIN AHVzZXIAc2VjcmV0\r\n";
    struct Case {
        const char* label;
        const char* server;
        std::vector<std::string> replies;
        TlsOutcome tls;
        int result;
        SessionFailure failure;
        std::string sent;  // <tls> where the handshake ran
    };
    const std::vector<Case> cases = {
        {"587 with PLAIN",
         "mail.example.com:587",
         {"220 hi\r\n", "250-hi\r\n250-AUTH PLAIN\r\n250 STARTTLS\r\n", "220 go\r\n",
          "250-hi\r\n250 AUTH LOGIN PLAIN\r\n", "235 ok\r\n"},
         TlsOutcome::Secure,
         1,
         SessionFailure::None,
         ehlo + "STARTTLS\r\n<tls>\r\n" + ehlo + plain},
        {"465 with LOGIN alone",
         "mail.example.com:465",
         {"220 hi\r\n", "250-hi\r\n250 AUTH LOGIN\r\n", "334 VXNlcm5hbWU6\r\n",
          "334 UGFzc3dvcmQ6\r\n", "235 ok\r\n"},
         TlsOutcome::Secure,
         1,
         SessionFailure::None,
         "<tls>\r\n" + ehlo + "AUTH LOGIN\r\ndXNlcg==\r\nc2VjcmV0\r\n"},
        {"no AUTH after TLS: the server decides",
         "mail.example.com:587",
         {"220 hi\r\n", "250-hi\r\n250 STARTTLS\r\n", "220 go\r\n", "250 hi\r\n"},
         TlsOutcome::Secure,
         1,
         SessionFailure::None,
         ehlo + "STARTTLS\r\n<tls>\r\n" + ehlo},
        {"AUTH in the clear without STARTTLS",
         "mail.example.com:587",
         {"220 hi\r\n", "250-hi\r\n250 AUTH PLAIN\r\n", "221 bye\r\n"},
         TlsOutcome::Secure,
         0,
         SessionFailure::NoSecureOffer,
         ehlo + "QUIT\r\n"},
        {"plaintext slipped in after the 220",
         "mail.example.com:587",
         {"220 hi\r\n", "250-hi\r\n250 STARTTLS\r\n", "220 go\r\n250-hi\r\n250 AUTH PLAIN\r\n"},
         TlsOutcome::Secure,
         0,
         SessionFailure::NoSecureConnection,
         ehlo + "STARTTLS\r\n"},
        {"untrusted certificate",
         "mail.example.com:587",
         {"220 hi\r\n", "250-hi\r\n250 STARTTLS\r\n", "220 go\r\n"},
         TlsOutcome::Untrusted,
         0,
         SessionFailure::Untrusted,
         ehlo + "STARTTLS\r\n<tls>\r\n"},
        {"certificate for another server",
         "127.0.0.9:465",
         {},
         TlsOutcome::WrongServer,
         0,
         SessionFailure::WrongServer,
         "<tls>\r\n"},
        {"refused login: QUIT and no MAIL",
         "mail.example.com:465",
         {"220 hi\r\n", "250-hi\r\n250 AUTH PLAIN\r\n", "535 no\r\n", "221 bye\r\n"},
         TlsOutcome::Secure,
         0,
         SessionFailure::LoginRefused,
         "<tls>\r\n" + ehlo + plain + "QUIT\r\n<close>\r\n"},
        {"a port that is no port",
         "mail.example.com:99999",
         {},
         TlsOutcome::Secure,
         0,
         SessionFailure::None,
         ""},
        {"any other port is the classic session",
         "mail.example.com:2525",
         {"220 hi\r\n", "250 hi\r\n"},
         TlsOutcome::Secure,
         1,
         SessionFailure::None,
         "HELO client.example.com\r\n"},
    };
    for (const Case& c : cases) {
        testkit::FakeClock clock;
        testkit::FakeSmtpSocket socket(clock);
        for (const std::string& reply : c.replies) socket.answer(reply);
        socket.closesAfterPackets = true;
        testkit::FakeSecureChannel secure(socket);
        secure.outcome = c.tls;
        SmtpConnection connection(socket, clock, &secure);
        const MailLogin login("user", "secret");
        EXPECT_EQ(connection.Connect(parseServerText(c.server), login), c.result) << c.label;
        EXPECT_EQ(connection.failure(), c.failure) << c.label;
        EXPECT_EQ(socket.sent, c.sent) << c.label;
        EXPECT_EQ(connection.loggedIn(), c.result == 1 && c.sent.find("AUTH") != std::string::npos)
            << c.label;
        if (parseServerText(c.server).kind == SessionKind::Invalid) {
            EXPECT_EQ(connection.lastError(), kErrorHostNotFound) << c.label;
        }
    }

    // The server asks for a login that was never given: nothing is sent.
    testkit::FakeClock clock;
    testkit::FakeSmtpSocket socket(clock);
    for (const char* reply : {"220 hi\r\n", "250-hi\r\n250 AUTH PLAIN\r\n", "221 bye\r\n"})
        socket.answer(reply);
    testkit::FakeSecureChannel secure(socket);
    SmtpConnection connection(socket, clock, &secure);
    EXPECT_EQ(connection.Connect(parseServerText("mail.example.com:465"), MailLogin()), 0);
    EXPECT_EQ(connection.failure(), SessionFailure::NoLogin);
    EXPECT_EQ(socket.sent, "<tls>\r\n" + ehlo + "QUIT\r\n<close>\r\n");
}

}  // namespace
}  // namespace kz8::mail
