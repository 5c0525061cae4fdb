// A 5 MB card over submission (587, STARTTLS, AUTH PLAIN) from the win64
// build under Wine, to the bench server that `make bench-win64` starts:
// the time from the connect to the reply to the end of data, as a user
// waits for it after pressing Send. Its peer, smtp_submission_peer.py,
// sends the same bytes with Python's smtplib to the same server.
// Usage: bench_secure_send SERVERS_FOLDER [ROUNDS]
#include <winsock2.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/smtp_send_round.h"
#include "mail/tests/win32/test_authority.h"
#include "mail/win32/schannel_socket.h"
#include "mail/win32/winsock_socket.h"

namespace {

using namespace kz8::mail;

// Milliseconds to the reply to the end of data; negative when it failed.
double timedSecureSend(const MailMessage& message, const ComposedMessage& composed) {
    WinsockSocket socket;
    TickClock clock;
    SchannelSocket secure(socket, clock);
    SmtpConnection connection(secure, clock, &secure);
    const MailLogin login("kz8user", "p\xC3\xA4ssw\xC3\xB6rd-\xCE\xA9");
    const auto started = std::chrono::steady_clock::now();
    const bool sent = connection.Connect(parseServerText("127.0.0.44:587"), login) == 1 &&
                      connection.SendMessage(message, composed) == 1;
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    connection.Disconnect();
    return sent ? elapsed : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_secure_send SERVERS_FOLDER [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    SetEnvironmentVariableA("KZ8_SMTP_SERVERS", argv[1]);
    if (!startWindowsSockets() || !testkit::trustTestAuthority()) {
        std::fprintf(stderr, "bench_secure_send: no sockets or no test CA\n");
        return 1;
    }
    std::vector<uint8_t> card(bench::kCardBytes);
    for (size_t i = 0; i < card.size(); ++i) card[i] = uint8_t(i * 7 % 251);
    MailAttachment attachment;
    attachment.encode("card.exe", card.data(), card.size());
    const MailMessage message = bench::cardMessage(attachment);
    const auto composed = composeMessage(message, MailDate{}, TextCodePage{});
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) times.push_back(timedSecureSend(message, *composed));
    if (*std::min_element(times.begin(), times.end()) < 0) {
        std::fprintf(stderr, "bench_secure_send: a send failed\n");
        return 1;
    }
    std::printf(
        "5 MB card over 587 with STARTTLS and AUTH, win64 build under Wine, median of "
        "%d sends: %.1f ms\n",
        rounds, bench::median(times));
    return 0;
}
