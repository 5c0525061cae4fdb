// One timed send of a card for the SMTP benchmarks: the 5 MB file read and
// encoded, then connect, send and QUIT to the store server, over whichever
// transport the program was built with.
#pragma once

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mail/portable/smtp_connection.h"

namespace kz8::mail::bench {

constexpr const char* kStoreServer = "127.0.0.10";
constexpr size_t kCardBytes = 5 << 20;

inline void writeCard(const std::string& path) {
    std::vector<char> bytes(kCardBytes);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7 % 251);
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// The benchmarks' message: a short text with the card attached.
inline MailMessage cardMessage(const MailAttachment& card) {
    MailMessage message;
    message.from = {"", "me@example.com"};
    message.subject = "A card";
    message.AddRecipients("you@example.com", kTo, {});
    message.SetBody("Hello\r\n");
    message.AddAttachment(&card);
    return message;
}

// Milliseconds from reading the file to the reply to QUIT; negative when
// the send failed.
template <typename Socket, typename Clock>
double timedSend(const std::string& cardPath) {
    const auto started = std::chrono::steady_clock::now();
    std::ifstream in(cardPath, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    MailAttachment card;
    card.encode("card.exe", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const MailMessage message = cardMessage(card);
    const auto composed = composeMessage(message, MailDate{}, TextCodePage{});
    Socket socket;
    Clock clock;
    SmtpConnection connection(socket, clock);
    const bool sent = connection.Connect(kStoreServer, 25) == 1 &&
                      connection.SendMessage(message, *composed) == 1 &&
                      connection.Disconnect() == 1;
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    return sent ? elapsed : -1;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace kz8::mail::bench
