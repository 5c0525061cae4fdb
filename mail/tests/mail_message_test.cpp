// A message's bytes without a server: recipients, the encoders, the header
// block and the parts, with a fixed date and code page.
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "mail/tests/memory_address_file.h"

#include "mail/portable/address_list.h"
#include "mail/portable/mail_message.h"
#include "mail/portable/mime_encoding.h"

namespace kz8::mail {
namespace {

std::optional<std::string> bookOf(const std::string& name) {
    if (name == "Ann") return "ann@example.com";
    if (name == "Evil") return "evil@example.com\r\nRCPT TO:<x@example.com>";
    return std::nullopt;
}

TEST(Recipients, EntriesNamesAndLookups) {
    struct Case {
        std::string text;
        std::vector<std::string> regular;  // RegularForm of each recipient
        bool complete;
    };
    const std::vector<Case> cases = {
        {"Bob Smith <bob@example.com>; carl@example.com , Ann",
         {"Bob Smith <bob@example.com>", "carl@example.com", "ann@example.com"},
         true},
        {"Nobody", {"Nobody"}, true},
        {"ann@", {"ann@"}, true},  // looked up, kept when the book has no such name
        {"x>", {"x>"}, true},
        {"a@example.com, <b@example.com, c@example.com", {"a@example.com"}, false},
        {" ; ,", {}, true},
        {"Bad\nName <d@example.com>", {}, false},
        {"Evil", {}, false},  // a looked-up address is held to the same rule
        {"e@example.com\r\nDATA", {}, false},
    };
    for (const Case& c : cases) {
        MailMessage message;
        EXPECT_EQ(message.AddRecipients(c.text, kCc, bookOf), c.complete ? 1 : 0) << c.text;
        std::vector<std::string> regular;
        for (const MailAddress& m : message.ccList) regular.push_back(m.RegularForm());
        EXPECT_EQ(regular, c.regular) << c.text;
    }
}

// At send time a bare name is looked up in the book as it is on disk.
TEST(Recipients, NamesFromTheBookFile) {
    testkit::MemoryAddressFile file;
    AddressList book(&file);
    book.Insert("Ann Smith", "ann@example.com");
    book.Save();
    MailMessage message;
    const auto lookup = [&](const std::string& name) { return lookUpAddress(file, name); };
    EXPECT_EQ(message.AddRecipients("ann smith; Bob", kTo, lookup), 1);
    ASSERT_EQ(message.toList.size(), 2u);
    EXPECT_EQ(message.toList[0].RegularForm(), "ann@example.com");
    EXPECT_EQ(message.toList[1].RegularForm(), "Bob");
}

TEST(MimeEncoding, Base64LinesAndQuotedPrintable) {
    const std::string line76 = std::string(76, 'Q');
    for (size_t size : {0, 1, 56, 57, 58, 1000}) {
        const std::vector<uint8_t> bytes(size, 0xFF);
        const std::string lines = encodeBase64Lines(bytes.data(), size);
        EXPECT_EQ(lines.size(), base64LinesLength(size)) << size;
        EXPECT_EQ(lines.substr(lines.size() - 2), "\r\n") << size;
    }
    const std::vector<uint8_t> full(57, 0);
    EXPECT_EQ(encodeBase64Lines(full.data(), 57), std::string(76, 'A') + "\r\n\r\n");
    EXPECT_EQ(encodeBase64(std::string("Ma")), "TWE=");

    const std::vector<std::pair<std::string, std::string>> quoted = {
        {"plain text", "plain text"},
        {"a=b", "a=3Db"},
        {"trailing \r\nnext\t", "trailing=20\r\nnext=09"},
        {"caf\xE9", "caf=E9"},
        {std::string(80, 'x'), std::string(75, 'x') + "=\r\n" + std::string(5, 'x')},
    };
    for (const auto& [text, encoded] : quoted) EXPECT_EQ(encodeQuotedPrintable(text), encoded);
    EXPECT_EQ(withCrlfLineEnds("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(charsetOfCodePage(1252), "windows-1252");
    EXPECT_EQ(charsetOfCodePage(932), "Shift_JIS");
    EXPECT_EQ(charsetOfCodePage(65001), "");

    // Two-byte characters stay whole across words.
    const auto lead = [](uint8_t b) { return b >= 0x81 && b <= 0x9F; };
    const std::string text(60, '\x82');  // 30 characters of two bytes
    const std::string words = encodeHeaderWords(text, "Shift_JIS", lead);
    size_t start = 0;
    for (size_t end; (end = words.find("?=", start)) != std::string::npos;) {
        const size_t open = words.find("?B?", start) + 3;
        EXPECT_LE(end + 2 - words.rfind("=?", end), 75u);
        EXPECT_EQ((end - open) % 4, 0u);
        start = end + 2;
    }
}

MailDate fixedDate(int bias) {
    MailDate date;
    date.year = 2026, date.month = 12, date.day = 5, date.weekday = 6;
    date.hour = 14, date.minute = 3, date.second = 9;
    date.biasMinutes = bias;
    return date;
}

// Every line ends in CR LF and none is longer than SMTP allows.
void expectWireSafe(const std::string& bytes) {
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            EXPECT_LE(i - start, 999u);
            start = i + 1;
        } else if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
        }
    }
}

std::string wire(const ComposedMessage& composed) {
    DotStuffer stuffer;
    std::string out = stuffer.apply(composed.head);
    for (const auto& part : composed.parts) out += stuffer.apply(part.opening + *part.lines);
    return out + stuffer.apply(composed.closing) + "\r\n.\r\n";
}

TEST(Composition, APlainSevenBitMessageIsExactlyTheClassicForm) {
    MailMessage message;
    message.from = {"", "me@example.com"};
    message.subject = "Hello";
    message.AddRecipients("you@example.com", kTo, {});
    message.SetBody("Dear you,\r\nA card.");
    const auto composed = composeMessage(message, fixedDate(-330), TextCodePage{});
    ASSERT_TRUE(composed);
    EXPECT_EQ(wire(*composed),
              "From: me@example.com\r\nTo: you@example.com\r\nSubject: Hello\r\n"
              "Date: Sat, 05 Dec 2026 14:03:09 +0530\r\nX-Mailer: Tavrel Mail. 1.10. QK.W\r\n"
              "MIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n\r\n"
              "Dear you,\r\nA card.\r\n.\r\n");
}

TEST(Composition, TextsNamesAndPartsSurviveTheWire) {
    MailMessage message;
    message.from = {"S\xE9verine", "sev@example.com"};
    message.replyTo = {"", "sev@example.com"};
    message.subject = "Caf\xE9 card";
    for (int i = 0; i < 40; ++i)
        message.AddRecipients(
            "Person " + std::to_string(i) + " <p" + std::to_string(i) + "@example.com>", kTo, {});
    message.AddRecipients("Q. Public <q@example.com>", kCc, {});
    message.SetBody(".first\n" + std::string(2000, 'x') + "\nx=1\r\n.\r\nend\rcaf\xE9");
    MailAttachment card, empty;
    const std::vector<uint8_t> bytes(58, 'c');
    ASSERT_TRUE(card.encode("My card (1).exe", bytes.data(), bytes.size()));
    ASSERT_TRUE(empty.encode("\xE9t\xE9.txt", nullptr, 0));
    message.AddAttachment(&card);
    message.AddAttachment(&empty);
    const auto composed = composeMessage(message, fixedDate(210), TextCodePage{});
    ASSERT_TRUE(composed);
    const std::string out = wire(*composed);
    expectWireSafe(out);
    for (const char* expected : {
             "From: =?windows-1252?B?U+l2ZXJpbmU=?= <sev@example.com>\r\n",
             "Subject: =?windows-1252?B?Q2Fm6SBjYXJk?=\r\n",
             "Date: Sat, 05 Dec 2026 14:03:09 -0330\r\n",
             "Reply-To: sev@example.com\r\n",
             "Cc: \"Q. Public\" <q@example.com>\r\n",
             "Content-Type: text/plain; charset=windows-1252\r\n",
             "\r\n\r\n..first\r\n",  // the text's first line, stuffed
             "\r\nx=3D1\r\n..\r\nend\r\ncaf=E9\r\n",
             "name=\"My card (1).exe\"",
             "filename=\"My card (1).exe\"\r\n\r\nY2Nj",
             "filename*=windows-1252''%E9t%E9.txt",
             "------=_NextPart_000_000C_01C07983.DB49D6E0--\r\n.\r\n",
         })
        EXPECT_NE(out.find(expected), std::string::npos) << expected;
    EXPECT_NE(out.find("p19@example.com>,\r\n Person 20"), std::string::npos) << "To folds";
    EXPECT_EQ(out.find("Bcc"), std::string::npos);
    EXPECT_EQ(composed->sizeForProgress,
              composed->textSize + card.encodedText.size() + empty.encodedText.size());

    message.subject = "two\r\nBcc: x@example.com";
    EXPECT_FALSE(composeMessage(message, fixedDate(0), TextCodePage{}));
}

struct GoldenCase {
    const char* file;
    MailMessage message;
    int bias;
};

// Committed messages, byte for byte. KZ8_UPDATE_GOLDEN=1 writes them anew
// for review.
TEST(Composition, GoldenMessages) {
    std::vector<GoldenCase> cases(3);
    cases[0].file = "plain.eml";
    cases[0].message.from = {"Me", "me@example.com"};
    cases[0].message.subject = "Hello";
    cases[0].message.AddRecipients("you@example.com", kTo, {});
    cases[0].message.SetBody("Dear you,\r\nA card for you.\r\n");
    cases[0].bias = -330;

    cases[1].file = "cc_reply_to.eml";
    cases[1].message = cases[0].message;
    cases[1].message.AddRecipients("Cy <cy@example.com>, dee@example.com", kCc, {});
    cases[1].message.replyTo = {"", "me@example.com"};
    cases[1].message.SetBody(".first\nsum=1\n" + std::string(2000, 'w') +
                             "\n.inside\rbare CR\ntrailing \n");
    cases[1].bias = 210;

    cases[2].file = "eight_bit_files.eml";
    cases[2].message = cases[0].message;
    cases[2].message.subject =
        "Gr\xFC\xDF"
        "e";
    cases[2].message.SetBody(
        "Sch\xF6ne Gr\xFC\xDF"
        "e\n");
    cases[2].bias = -60;
    std::vector<MailAttachment> files(5);
    const size_t sizes[] = {0, 1, 56, 57, 58};
    for (size_t i = 0; i < files.size(); ++i) {
        const std::vector<uint8_t> bytes(sizes[i], uint8_t(i * 40));
        files[i].encode("file" + std::to_string(sizes[i]) + ".bin", bytes.data(), bytes.size());
        cases[2].message.AddAttachment(&files[i]);
    }

    const bool update = std::getenv("KZ8_UPDATE_GOLDEN") != nullptr;
    for (const GoldenCase& c : cases) {
        const auto composed = composeMessage(c.message, fixedDate(c.bias), TextCodePage{});
        ASSERT_TRUE(composed) << c.file;
        const std::string out = wire(*composed);
        expectWireSafe(out);
        const std::string path = std::string(KZ8_MAIL_GOLDEN_DIR) + "/" + c.file;
        if (update) std::ofstream(path, std::ios::binary) << out;
        const auto golden = kz8::testkit::readFile(path);
        ASSERT_TRUE(golden) << path;
        EXPECT_EQ(out, std::string(golden->begin(), golden->end())) << c.file;
    }
}

TEST(Composition, DatesInEveryZone) {
    // The names are the mail's, not the user's language.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) std::setlocale(LC_ALL, "German");
    EXPECT_EQ(formatMailDate(fixedDate(0)), "Sat, 05 Dec 2026 14:03:09 +0000");
    EXPECT_EQ(formatMailDate(fixedDate(-60)), "Sat, 05 Dec 2026 14:03:09 +0100");
    EXPECT_EQ(formatMailDate(fixedDate(300)), "Sat, 05 Dec 2026 14:03:09 -0500");
    EXPECT_EQ(formatMailDate(fixedDate(30)), "Sat, 05 Dec 2026 14:03:09 -0030");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace kz8::mail
