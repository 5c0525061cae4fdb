// A card with a 5 MB attachment sent to a loopback aiosmtpd over POSIX
// sockets, against Python's smtplib sending the same wire bytes (as the
// server stored them) to the same server, in one run; medians compared.
// Usage: bench_smtp_send SERVERS_SCRIPT PEER_SCRIPT [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/smtp_send_round.h"
#include "mail/posix/posix_smtp_socket.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_smtp_send SERVERS_SCRIPT PEER_SCRIPT [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    const std::string folder = "/tmp/kz8-bench-smtp";
    const std::string servers = argv[1];
    if (std::system((servers + " start " + folder).c_str()) != 0) return 1;
    const std::string card = folder + "/card.exe";
    kz8::mail::bench::writeCard(card);

    std::vector<double> ours;
    for (int i = 0; i < rounds; ++i)
        ours.push_back(
            kz8::mail::bench::timedSend<kz8::mail::PosixSmtpSocket, kz8::mail::SteadyClock>(card));
    const std::string command = std::string("/usr/bin/python3 ") + argv[2] + " " + folder +
                                "/store/1.eml " + std::to_string(rounds);
    double peer = -1;
    if (FILE* out = popen(command.c_str(), "r")) {
        if (std::fscanf(out, "%lf", &peer) != 1) peer = -1;
        pclose(out);
    }
    std::system((servers + " stop " + folder).c_str());
    if (*std::min_element(ours.begin(), ours.end()) < 0 || peer <= 0) {
        std::fprintf(stderr, "bench_smtp_send: a send failed\n");
        return 1;
    }
    const double oursMedian = kz8::mail::bench::median(ours);
    std::printf("5 MB card to a loopback aiosmtpd, median of %d sends\n", rounds);
    std::printf("  ours %.1f ms (attach to QUIT), smtplib %.1f ms (same wire bytes), ratio %.2f\n",
                oursMedian, peer, oursMedian / peer);
    return 0;
}
