// The same 5 MB card send as the native bench_smtp_send, from the Windows
// build under Wine over Winsock, to the store server that `make
// bench-win64` starts; reported beside the native figures.
// Usage: bench_smtp_send FOLDER [ROUNDS]   (FOLDER for the card file)
#include <winsock2.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/smtp_send_round.h"
#include "mail/win32/winsock_socket.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_smtp_send FOLDER [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (!kz8::mail::startWindowsSockets()) return 1;
    const std::string card = std::string(argv[1]) + "\\card.exe";
    kz8::mail::bench::writeCard(card);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
        times.push_back(
            kz8::mail::bench::timedSend<kz8::mail::WinsockSocket, kz8::mail::TickClock>(card));
    DeleteFileA(card.c_str());
    if (*std::min_element(times.begin(), times.end()) < 0) {
        std::fprintf(stderr, "bench_smtp_send: a send failed\n");
        return 1;
    }
    std::printf("5 MB card from the win64 build under Wine, median of %d sends: %.1f ms\n", rounds,
                kz8::mail::bench::median(times));
    return 0;
}
