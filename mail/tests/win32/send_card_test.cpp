// A card sent end to end as a person does it: cardpack makes the card,
// kz8mailhost shows the send-mail window with Email.dll, the pointer and
// keyboard fill it in and press Send, and the server's copy is read back by
// Python's email package. Also what the window shows while a slow server
// holds the send.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/logged_process.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"
#include "mail/win32/address_book_file.h"

namespace {

using kz8::testkit::LoggedProcess;
using kz8::testkit::pumpUntil;
using kz8::testkit::quoted;
constexpr POINT kAt{40, 40};  // where the host shows its SendMail window

std::string text(const std::string& path) {
    const auto bytes = kz8::testkit::readFile(path);
    std::string out;
    if (bytes)
        for (uint8_t b : *bytes)
            if (b != '\r') out += char(b);
    return out;
}

std::string hex(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = from; i < from + count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string temporary(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

std::string makeCard() {
    const std::string card = temporary("card.exe");
    LoggedProcess packer(quoted(KZ8_CARDPACK) + " make --player " + quoted(KZ8_PLAYER) +
                             " --front " + quoted(kz8::testkit::fixturePath("card/card-rgb.jpg")) +
                             " --back " + quoted(kz8::testkit::fixturePath("card/card-back.jpg")) +
                             " --force -o " + quoted(card),
                         "cardpack.log");
    return packer.exitStatus(30000) ? card : std::string();
}

// The texts of the host's edit boxes (To, Cc, Subject, text), read across
// the process boundary.
std::vector<std::string> hostEditTexts() {
    std::vector<std::string> texts;
    HWND sendMail = FindWindowA("Template Window Class", nullptr);
    for (HWND edit = FindWindowExA(sendMail, nullptr, "Edit", nullptr); edit;
         edit = FindWindowExA(sendMail, edit, "Edit", nullptr)) {
        std::vector<char> text(65536, '\0');
        SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text.data());
    }
    return texts;
}

// Typed as keys; the next click waits until the field holds all of them.
bool clickAndType(int x, int y, size_t field, const std::string& typed) {
    kz8::testkit::moveMouseTo(kAt.x + x, kAt.y + y);
    kz8::testkit::pressLeft();
    kz8::testkit::releaseLeft();
    kz8::testkit::xdotool("type --delay 20 \"" + typed + "\"");
    return pumpUntil([&] {
        const auto texts = hostEditTexts();
        return texts.size() > field && texts[field] == typed;
    });
}

std::string hostCommand(const char* server, const std::string& card) {
    return quoted(KZ8_MAIL_HOST) + " --server " + server +
           " --from me@example.com --at 40,40 --close-boxes" +
           (card.empty() ? std::string() : " --attach " + quoted(card));
}

TEST(SendCard, TypedInTheWindowAndSentWhole) {
    const std::string card = makeCard();
    ASSERT_FALSE(card.empty());
    const auto cardBytes = kz8::testkit::readFile(card);
    ASSERT_TRUE(cardBytes && cardBytes->size() > 1000);
    const std::string folder = kz8::testkit::environmentText("KZ8_SMTP_SERVERS");
    size_t before = 0;
    while (kz8::testkit::readFile(folder + "\\store\\" + std::to_string(before + 1) + ".json"))
        ++before;

    LoggedProcess host(hostCommand("127.0.0.10", card), "kz8mailhost.log");
    ASSERT_TRUE(host.logged("3024 SendMail")) << host.log();
    ASSERT_TRUE(clickAndType(200, 55, 0, "you@example.com"));
    ASSERT_TRUE(clickAndType(200, 115, 2, "A card for you"));
    ASSERT_TRUE(clickAndType(200, 200, 3, "Hello from Wine"));
    kz8::testkit::moveMouseTo(kAt.x + 60, kAt.y + 334);  // Send
    kz8::testkit::pressLeft();
    kz8::testkit::releaseLeft();
    ASSERT_TRUE(host.exitStatus(30000)) << host.log();
    const std::string log = host.log();
    const size_t connecting = log.find("status Connecting..."),
                 sending = log.find("status Sending..."), quit = log.find("status Quit.");
    EXPECT_TRUE(connecting < sending && sending < quit && quit != std::string::npos) << log;
    std::vector<int> progress;
    for (size_t at = log.find("progress "); at != std::string::npos;
         at = log.find("progress ", at + 1))
        progress.push_back(std::stoi(log.substr(at + 9)));
    ASSERT_FALSE(progress.empty()) << log;
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
    EXPECT_NE(log.find("3126 SendMail"), std::string::npos) << "the window closed";

    const std::string summary = text(folder + "\\store\\" + std::to_string(before + 1) + ".json");
    for (const std::string& expected :
         {std::string("\"Subject\": \"A card for you\""),
          std::string("\"text\": \"Hello from Wine"), std::string("\"filename\": \"card.exe\""),
          "\"size\": " + std::to_string(cardBytes->size()),
          "\"head\": \"" + hex(*cardBytes, 0, 16) + "\"",
          "\"tail\": \"" + hex(*cardBytes, cardBytes->size() - 16, 16) + "\""})
        EXPECT_NE(summary.find(expected), std::string::npos) << expected << "\n" << summary;
    DeleteFileA(card.c_str());
}

// While a server that stops reading holds the send, the window says
// "Sending..." and its bar is partly filled.
TEST(SendCard, TheWindowWhileASlowServerHoldsTheSend) {
    const std::string card = temporary("large card.exe");
    {
        std::vector<uint8_t> bytes(6 << 20, 'k');
        kz8::KernelHandle file(CreateFileA(card.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr));
    }
    LoggedProcess host(hostCommand("127.0.0.23", card), "kz8mailhost-slow.log");
    ASSERT_TRUE(host.logged("3024 SendMail")) << host.log();
    ASSERT_TRUE(clickAndType(200, 55, 0, "you@example.com"));
    kz8::testkit::moveMouseTo(kAt.x + 60, kAt.y + 334);
    kz8::testkit::pressLeft();
    kz8::testkit::releaseLeft();
    ASSERT_TRUE(host.logged("status Sending...")) << host.log();
    ASSERT_TRUE(host.logged("progress ")) << host.log();
    kz8::testkit::pumpMessages(1000);
    const kz8::testkit::PpmImage screen = kz8::testkit::captureScreen();
    // KZ8_KEEP_SCREENSHOT=PATH keeps what was checked, for a person to see.
    const std::string keep = kz8::testkit::environmentText("KZ8_KEEP_SCREENSHOT");
    if (!keep.empty()) {
        std::FILE* out = std::fopen(keep.c_str(), "wb");
        std::fprintf(out, "P6\n%d %d\n255\n", screen.width, screen.height);
        std::fwrite(screen.rgb.data(), 1, screen.rgb.size(), out);
        std::fclose(out);
    }
    // The bar: from 125 to 460 across, 290 to 308 down in the window.
    const int y = kAt.y + 299;
    const kz8::testkit::Rgb start = screen.at(kAt.x + 128, y), end = screen.at(kAt.x + 456, y);
    EXPECT_FALSE(start == end) << "filled at its start, empty at its end";
    // The status line holds dark text pixels.
    int dark = 0;
    for (int x = kAt.x + 22; x < kAt.x + 118; ++x)
        for (int row = kAt.y + 292; row < kAt.y + 306; ++row) {
            const kz8::testkit::Rgb p = screen.at(x, row);
            dark += p.r < 80 && p.g < 80 && p.b < 80;
        }
    EXPECT_GT(dark, 10);
    DeleteFileA(card.c_str());
}

// Forty entries picked in the book through the host's Address Book button
// (far more than 260 characters of To) all get the mail.
TEST(SendCard, FortyRecipientsPickedInTheBook) {
    const std::string bookPath = kz8::mail::defaultAddressBookPath();
    DeleteFileA(bookPath.c_str());
    kz8::mail::AddressList& book = kz8::mail::processAddressBook();
    book.Clear();
    for (int i = 0; i < 40; ++i)
        book.Insert("Person " + std::to_string(i),
                    "person" + std::to_string(i) + "@book.example.com");
    ASSERT_EQ(book.Save(), 40);
    const std::string folder = kz8::testkit::environmentText("KZ8_SMTP_SERVERS");
    size_t before = 0;
    while (kz8::testkit::readFile(folder + "\\store\\" + std::to_string(before + 1) + ".json"))
        ++before;

    LoggedProcess host(hostCommand("127.0.0.10", ""), "kz8mailhost-book.log");
    ASSERT_TRUE(host.logged("3024 SendMail")) << host.log();
    const auto click = [](int x, int y) {
        kz8::testkit::moveMouseTo(kAt.x + x, kAt.y + y);
        kz8::testkit::pressLeft();
        kz8::testkit::releaseLeft();
    };
    click(165, 334);  // Address Book
    // The book's notices go to its own window, not to the host.
    ASSERT_TRUE(pumpUntil([] { return FindWindowA("ADDRESSBOOKCLASS", nullptr) != nullptr; }))
        << host.log();
    kz8::testkit::pumpMessages(500);
    click(60, 72);  // the first row, then every row down to the last
    kz8::testkit::xdotool("key shift+End");
    kz8::testkit::pumpMessages(500);  // the book's clock enables Add To
    click(225, 87);                   // Add To
    click(322, 244);                  // OK
    ASSERT_TRUE(pumpUntil([] { return FindWindowA("ADDRESSBOOKCLASS", nullptr) == nullptr; }))
        << host.log();
    ASSERT_TRUE(pumpUntil([] {
        const auto texts = hostEditTexts();
        return !texts.empty() && texts[0].size() > 260;
    }));
    click(60, 334);  // Send
    ASSERT_TRUE(host.exitStatus(30000)) << host.log();
    const std::string summary = text(folder + "\\store\\" + std::to_string(before + 1) + ".json");
    for (int i = 0; i < 40; ++i)
        EXPECT_NE(summary.find("\"person" + std::to_string(i) + "@book.example.com\""),
                  std::string::npos)
            << i << "\n"
            << summary;
    DeleteFileA(bookPath.c_str());
}

}  // namespace
