// Sending under Wine to real servers on the Linux side (aiosmtpd, and
// scripted ones that misbehave): what a server received and what Python's
// email package read from it, the worker's status line, progress bar and
// message boxes, and cancelling.
#include <winsock2.h>

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"
#include "mail/portable/mime_encoding.h"
#include "mail/tests/win32/send_job_harness.h"
#include "mail/win32/mail_environment.h"
#include "mail/win32/send_worker.h"
#include "mail/win32/winsock_socket.h"

namespace kz8::mail {
namespace {

using kz8::testkit::pumpUntil;
using Clock = std::chrono::steady_clock;
using namespace sendtest;

// A text as Python's json writes it (windows-1252 letters below U+0100 only).
std::string jsonQuoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = uint8_t(c);
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (byte >= 0x80) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else
            out += c;
    }
    return out + "\"";
}

class SmtpSend : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(startWindowsSockets()); }
};

TEST_F(SmtpSend, ACardArrivesIntact) {
    Sending sending("127.0.0.10");
    MailMessage& message = sending.job->message;
    message.subject = "Caf\xE9 card";
    message.AddRecipients("Ann Smith <ann@example.com>", kTo, {});
    message.AddRecipients("cc@example.com", kCc, {});
    message.AddRecipients("hidden@example.com", kBcc, {});
    const std::string note = ".first\nx=1\r\n" + std::string(2000, 'y') + "\r\n.\rend \xE9t\xE9";
    message.SetBody(note);
    std::vector<uint8_t> card(100000);
    for (size_t i = 0; i < card.size(); ++i) card[i] = uint8_t(i * 7 % 251);
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "My card (1).exe";
    {
        kz8::KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), card.data(), DWORD(card.size()), &written, nullptr));
    }
    ASSERT_TRUE(attachFile(sending.job->attachment, path));
    DeleteFileA(path.c_str());
    message.AddAttachment(&sending.job->attachment);

    sending.start();
    EXPECT_EQ(sending.finish(), DWORD(kSent));
    EXPECT_EQ(sending.window.texts,
              (std::vector<std::string>{"Connecting...", "Sending...", "Quit."}));
    ASSERT_FALSE(sending.window.positions.empty());
    EXPECT_TRUE(std::is_sorted(sending.window.positions.begin(), sending.window.positions.end()));
    EXPECT_EQ(sending.window.positions.back(), 100);
    EXPECT_TRUE(sending.window.closeAsked);
    EXPECT_TRUE(sending.boxes.empty());

    const std::string summary = storedSummary("store", 1);
    for (const std::string& expected : {
             std::string("\"rcpt_tos\": [\n  \"ann@example.com\",\n  \"cc@example.com\",\n  "
                         "\"hidden@example.com\"\n ]"),
             std::string("\"To\": \"Ann Smith <ann@example.com>\""),
             std::string("\"Cc\": \"cc@example.com\""),
             std::string("\"Subject\": ") + jsonQuoted("Caf\xE9 card"),
             std::string("\"Reply-To\": \"sev@example.com\""),
             std::string("\"text\": ") + jsonQuoted(withCrlfLineEnds(note) + "\r\n"),
             std::string("\"filename\": \"My card (1).exe\""),
             std::string("\"size\": 100000"),
             std::string("\"head\": \"00070e151c232a31383f464d545b6269\""),
             std::string("\"defects\": []"),
         })
        EXPECT_NE(summary.find(expected), std::string::npos) << expected << "\n" << summary;
    EXPECT_EQ(summary.find("Bcc"), std::string::npos);
    EXPECT_EQ(summary.find("\"helo\": \"\""), std::string::npos);
}

TEST_F(SmtpSend, FortyRecipients) {
    Sending sending("127.0.0.10");
    std::string to;
    for (int i = 0; i < 40; ++i)
        to += "Person " + std::to_string(i) + " <p" + std::to_string(i) + "@example.com>;";
    ASSERT_EQ(sending.job->message.AddRecipients(to, kTo, {}), 1);
    sending.start();
    EXPECT_EQ(sending.finish(), DWORD(kSent));
    // The first test of the suite may have stored one already.
    std::string summary;
    for (int n = 1; n <= 3 && summary.find("p39@") == std::string::npos; ++n)
        summary = storedSummary("store", n, 2000);
    EXPECT_NE(summary.find("Person 0 <p0@example.com>, Person 1"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Person 39 <p39@example.com>\""), std::string::npos);
}

TEST_F(SmtpSend, RefusalsEndTheSendWithItsBox) {
    struct Case {
        const char* server;
        int code;
    };
    for (const Case& c :
         {Case{"127.0.0.11", 550}, Case{"127.0.0.12", 554}, Case{"127.0.0.13", 552}}) {
        Sending sending(c.server);
        sending.job->message.AddRecipients("ann@example.com", kTo, {});
        sending.job->message.SetBody(std::string(3000, 'z'));  // over the small server's limit
        sending.start();
        EXPECT_EQ(sending.finish(), DWORD(kSendFailed)) << c.server;
        EXPECT_EQ(sending.job->connection().lastCode(), c.code) << c.server;
        EXPECT_EQ(sending.job->connection().lastError(), kErrorBadCommand) << c.server;
        EXPECT_EQ(sending.boxes, std::vector<std::string>{"Send failed."}) << c.server;
        EXPECT_TRUE(sending.window.closeAsked);
    }
}

TEST_F(SmtpSend, AServerThatTakesFifteenSecondsStillDelivers) {
    Sending sending("127.0.0.14");
    sending.job->message.AddRecipients("ann@example.com", kTo, {});
    sending.start();
    EXPECT_EQ(sending.finish(40000), DWORD(kSent));
    EXPECT_NE(storedSummary("slow", 1).find("ann@example.com"), std::string::npos);
}

// Connections to the scripted servers, by what each does.
TEST_F(SmtpSend, ServersThatMisbehave) {
    struct Case {
        const char* server;
        int connected, error;
        double atLeast, atMost;  // seconds
    };
    const std::vector<Case> cases = {
        {"127.0.0.15", 1, 0, 0, 5},                       // replies byte by byte
        {"127.0.0.16", 0, kErrorUnexpectedReply, 0, 1},   // 421, QUIT still said
        {"127.0.0.17", 0, kErrorTimedOut, 9, 15},         // silence
        {"127.0.0.18", 0, kErrorConnectionClosed, 0, 1},  // closed mid-reply
        {"127.0.0.19", 0, kErrorUnexpectedReply, 0, 5},   // a megabyte without CRLF
        {"127.0.0.20", 0, kErrorUnexpectedReply, 0, 1},   // "25x ok"
        {"127.0.0.21", 0, kErrorUnexpectedReply, 0, 1},   // "2"
        {"127.0.0.22", 0, kErrorUnexpectedReply, 0, 1},   // "2500 ok"
    };
    for (const Case& c : cases) {
        WinsockSocket socket;
        TickClock clock;
        SmtpConnection connection(socket, clock);
        const auto started = Clock::now();
        EXPECT_EQ(connection.Connect(c.server, 25), c.connected) << c.server;
        const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
        EXPECT_EQ(connection.lastError(), c.error) << c.server;
        EXPECT_GE(seconds, c.atLeast) << c.server;
        EXPECT_LE(seconds, c.atMost) << c.server;
        if (c.connected) {
            EXPECT_EQ(connection.Disconnect(), 1);
        }
    }
    EXPECT_NE(readText(serversFolder() + "\\busy\\log").find("QUIT"), std::string::npos);
}

TEST_F(SmtpSend, ACancelledSendEndsAtOnceAndSaysNothing) {
    struct Case {
        const char* server;
        size_t textsBeforeCancel;  // "Sending...": in DATA; "Connecting...": at the greeting
    };
    for (const Case& c : {Case{"127.0.0.23", 2}, Case{"127.0.0.17", 1}}) {
        Sending sending(c.server);
        sending.job->message.AddRecipients("ann@example.com", kTo, {});
        sending.job->message.SetBody(std::string(5 << 20, 'q'));
        sending.start();
        pumpUntil([&] { return sending.window.texts.size() >= c.textsBeforeCancel; });
        kz8::testkit::pumpMessages(500);
        const auto asked = Clock::now();
        sending.job->cancel();
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - asked).count(), 0.1);
        EXPECT_EQ(WaitForSingleObject(sending.thread.get(), 2000), WAIT_OBJECT_0) << c.server;
        kz8::testkit::pumpMessages(300);
        EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr) << c.server;
        EXPECT_FALSE(sending.window.closeAsked) << c.server;
    }
    const std::string log = serversFolder() + "\\stall\\log";
    EXPECT_TRUE(pumpUntil([&] { return readText(log).find(" END") != std::string::npos; }, 12000));
    EXPECT_NE(readText(log).find("NO END"), std::string::npos) << "the data was never ended";
}

}  // namespace
}  // namespace kz8::mail
