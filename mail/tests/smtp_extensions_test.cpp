// Today's submission pieces without a server: the server text's port and
// session kind, what an EHLO reply offers, the login chosen and its texts,
// and the Message-ID.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/portable/server_text.h"
#include "mail/portable/smtp_extensions.h"

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

}  // namespace
}  // namespace kz8::mail
