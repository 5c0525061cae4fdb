// Sending through submission (587, STARTTLS) and implicit-TLS (465)
// servers under Wine, with the test CA trusted in the prefix's current-user
// Root store. Each server sits behind a relay that keeps the client's
// bytes, so the tests can say what went out in the clear.
#include <windows.h>
// after windows.h, whose types it uses
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/tests/win32/send_job_harness.h"
#include "mail/tests/win32/test_authority.h"
#include "mail/win32/mail_environment.h"
#include "mail/win32/server_certificate.h"
#include "mail/win32/winsock_socket.h"

namespace kz8::mail {
namespace {

using namespace sendtest;
using testkit::certificateBytes;
using testkit::trustTestAuthority;

const char kUser[] = "kz8user";
const char kPassword[] = "p\xC3\xA4ssw\xC3\xB6rd-\xCE\xA9";  // UTF-8, as the server checks it
const char kCannotConnect[] = "Cannot connect the host.\nPlease try again.";

std::string serverFile(const std::string& server, const char* name) {
    return readText(serversFolder() + "\\" + server + "\\" + name);
}

// The plaintext lines the client sent before its first TLS record.
std::vector<std::string> clearLines(const std::string& relayed) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < relayed.size() && relayed[at] != '\x16';) {
        const size_t end = relayed.find("\r\n", at);
        if (end == std::string::npos) break;
        lines.push_back(relayed.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// What a server kept from earlier runs goes, so that its files are this
// send's alone.
void emptyServerFolder(const std::string& server) {
    const std::string folder = serversFolder() + "\\" + server + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The TLS version the servers without a cap should see: Wine 8.0's
// Schannel offers TLS 1.2 at most unless GnuTLS's own defaults are in
// force (the TLS 1.3 run sets GNUTLS_SYSTEM_PRIORITY_FILE).
std::string newestVersion() {
    const std::string expected = kz8::testkit::environmentText("KZ8_EXPECT_TLS");
    return expected.empty() ? "TLSv1.2" : expected;
}

class SecureSend : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(startWindowsSockets());
        ASSERT_TRUE(trustTestAuthority()) << "the test CA from the servers' certificates";
    }
    // A send with the login given, finished with its boxes read.
    static std::unique_ptr<Sending> send(const char* text, const char* server,
                                         const char* password = kPassword) {
        emptyServerFolder(server);
        auto sending = std::make_unique<Sending>(text);
        sending->job->message.AddRecipients("ann@example.com", kTo, {});
        sending->job->login = MailLogin(kUser, password);
        loadSessionFailureTexts(sending->job->texts);
        sending->start();
        sending->finish();
        return sending;
    }
};

TEST_F(SecureSend, TheTestCertificatesVerifyOnlyForTheirServers) {
    struct Case {
        const char* certificate;
        const char* host;
        TlsOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"main", "127.0.0.30", TlsOutcome::Secure},
        {"main", "localhost", TlsOutcome::Secure},
        {"main", "127.0.0.9", TlsOutcome::WrongServer},
        {"untrusted", "127.0.0.33", TlsOutcome::Untrusted},
        {"other_name", "localhost", TlsOutcome::WrongServer},
        {"ip_one", "127.0.0.1", TlsOutcome::Secure},
        {"ip_one", "127.0.0.9", TlsOutcome::WrongServer},
    };
    for (const Case& c : cases) {
        const std::vector<BYTE> bytes = certificateBytes(c.certificate);
        PCCERT_CONTEXT certificate =
            CertCreateCertificateContext(X509_ASN_ENCODING, bytes.data(), DWORD(bytes.size()));
        ASSERT_NE(certificate, nullptr) << c.certificate;
        int error = 0;
        EXPECT_EQ(checkServerCertificate(certificate, c.host, error), c.outcome)
            << c.certificate << " for " << c.host << ", error " << std::hex << error;
        CertFreeCertificateContext(certificate);
    }
}

TEST_F(SecureSend, SubmissionAndImplicitTlsDeliverWithoutThePasswordInTheClear) {
    struct Case {
        const char* text;
        const char* server;
        const char* login;  // as the server noted it
    };
    const std::vector<Case> cases = {
        {"127.0.0.30:587", "submission", "AUTH PLAIN kz8user ok"},
        {"127.0.0.30:465", "implicit", "AUTH PLAIN kz8user ok"},
        {"127.0.0.31:587", "submission12", "AUTH PLAIN kz8user ok"},
        {"127.0.0.31:465", "implicit12", "AUTH PLAIN kz8user ok"},
        {"127.0.0.32:587", "login_only", "AUTH LOGIN kz8user ok"},
        {"localhost:587", "localhost", "AUTH PLAIN kz8user ok"},
    };
    const std::string secrets[] = {kPassword, encodeBase64(kPassword),
                                   encodeBase64(std::string(1, '\0') + kUser + '\0' + kPassword)};
    for (const Case& c : cases) {
        const auto sending = send(c.text, c.server);
        EXPECT_EQ(sending->finish(), DWORD(kSent)) << c.text;
        EXPECT_TRUE(sending->boxes.empty()) << c.text;
        const std::string summary = storedSummary(c.server, 1);
        EXPECT_NE(summary.find("\"Message-ID\": \"<"), std::string::npos) << c.text << summary;
        EXPECT_NE(summary.find("\"defects\": []"), std::string::npos) << c.text << summary;
        const std::string version =
            std::string(c.server).back() == '2' ? "TLSv1.2" : newestVersion();
        EXPECT_NE(summary.find("\"tls\": \"" + version), std::string::npos) << c.text << summary;
        EXPECT_EQ(serverFile(c.server, "commands"), std::string(c.login) + "\nMAIL\n") << c.text;
        const std::string relayed = serverFile(c.server, "relay.bin");
        for (const std::string& secret : secrets)
            EXPECT_EQ(relayed.find(secret), std::string::npos) << c.text;
        const std::vector<std::string> clear = clearLines(relayed);
        const bool submission = std::string(c.text).find(":587") != std::string::npos;
        EXPECT_EQ(clear.size(), submission ? 2u : 0u) << c.text;
        if (submission) {
            EXPECT_EQ(clear.back(), "STARTTLS") << c.text;
        }
    }
}

TEST_F(SecureSend, EveryFailureBeforeTheSessionIsReadySaysWhyAndSendsNothing) {
    struct Case {
        const char* text;
        const char* server;
        const char* password;
        SessionFailure failure;
        const char* reason;
        const char* commands;  // as the server noted them
    };
    const std::vector<Case> cases = {
        {"127.0.0.33:587", "untrusted", kPassword, SessionFailure::Untrusted,
         "The server's certificate is not trusted.", ""},
        {"localhost:465", "wrong_name", kPassword, SessionFailure::WrongServer,
         "The server's certificate is for another server.", ""},
        {"127.0.0.9:587", "wrong_address", kPassword, SessionFailure::WrongServer,
         "The server's certificate is for another server.", ""},
        {"127.0.0.35:587", "clear_auth", kPassword, SessionFailure::NoSecureOffer,
         "This server offers no secure connection.", ""},
        {"127.0.0.36:587", "refusing", "wrong", SessionFailure::LoginRefused,
         "The server refused the user name or password.", "AUTH PLAIN kz8user refused\n"},
        {"127.0.0.37:587", "injecting", kPassword, SessionFailure::NoSecureConnection,
         "A secure connection could not be made.", ""},
    };
    for (const Case& c : cases) {
        const auto sending = send(c.text, c.server, c.password);
        const SmtpConnection& connection = sending->job->connection();
        EXPECT_EQ(sending->finish(), DWORD(kNoConnection)) << c.text;
        EXPECT_EQ(connection.failure(), c.failure)
            << c.text << ": code " << connection.lastCode() << ", error " << std::hex
            << connection.lastError();
        EXPECT_EQ(sending->boxes,
                  std::vector<std::string>{kCannotConnect + std::string("\n\n") + c.reason})
            << c.text;
        EXPECT_EQ(sending->window.texts.back(), c.reason) << c.text;
        EXPECT_EQ(serverFile(c.server, "commands"), c.commands) << c.text;
        const std::string clientSaid = std::string(c.server) == "injecting"
                                           ? serverFile(c.server, "log")
                                           : serverFile(c.server, "relay.bin");
        for (const std::string& line : clearLines(clientSaid))
            EXPECT_TRUE(line.rfind("EHLO ", 0) == 0 || line == "STARTTLS" || line == "QUIT")
                << c.text << ": " << line;
    }
    EXPECT_EQ(clearLines(serverFile("clear_auth", "relay.bin")).back(), "QUIT");
}

// Any other port is the classic session: the same bytes as on port 25.
TEST_F(SecureSend, OtherPortsAndPlainServersKeepTheClassicSession) {
    const auto plain = send("127.0.0.38:2525", "plain2525");
    EXPECT_EQ(plain->finish(), DWORD(kSent));
    const auto composed = composeMessage(plain->job->message, MailDate{}, systemCodePage());
    ASSERT_TRUE(composed);
    auto withoutDate = [](std::string bytes) {
        const size_t date = bytes.find("Date: ");
        return date == std::string::npos ? bytes
                                         : bytes.erase(date, bytes.find("\r\n", date) - date);
    };
    EXPECT_EQ(withoutDate(serverFile("plain2525", "1.eml")),
              withoutDate(composed->head + composed->closing + "\r\n"));
    EXPECT_EQ(storedSummary("plain2525", 1).find("Message-ID"), std::string::npos);

    // A server that wants STARTTLS first answers the classic session's
    // HELO with 530, so it cannot connect.
    const auto refused = send("127.0.0.39", "requires_tls");
    EXPECT_EQ(refused->finish(), DWORD(kNoConnection));
    EXPECT_EQ(refused->job->connection().lastResponse().substr(0, 4), "530 ");
    EXPECT_EQ(refused->boxes, std::vector<std::string>{kCannotConnect});
}

}  // namespace
}  // namespace kz8::mail
