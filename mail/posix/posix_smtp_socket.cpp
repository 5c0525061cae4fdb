#include "mail/posix/posix_smtp_socket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace kz8::mail {

namespace {

constexpr int kWaitStepMilliseconds = 250;

bool resolve(const std::string& host, in_addr& address) {
    if (inet_pton(AF_INET, host.c_str(), &address) == 1) return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

}  // namespace

PosixSmtpSocket::~PosixSmtpSocket() {
    if (socket_ >= 0) close(socket_);
}

int PosixSmtpSocket::connect(const std::string& host, uint16_t port) {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket_ < 0) return errno;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (!resolve(host, address.sin_addr)) return kErrorHostNotFound;
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return errno;
    return 0;
}

bool PosixSmtpSocket::sendAll(const char* bytes, size_t size) {
    while (size > 0) {
        if (cancelled_) return false;
        const ssize_t sent = ::send(socket_, bytes, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        bytes += sent;
        size -= size_t(sent);
    }
    return true;
}

WaitResult PosixSmtpSocket::waitReadable(uint32_t milliseconds) {
    for (uint32_t waited = 0; waited < milliseconds && !cancelled_;) {
        const int step = std::min<int>(kWaitStepMilliseconds, int(milliseconds - waited));
        pollfd ready{socket_, POLLIN, 0};
        const int count = poll(&ready, 1, step);
        if (count < 0) return WaitResult::Failed;
        if (count > 0) return WaitResult::Readable;
        waited += uint32_t(step);
    }
    return cancelled_ ? WaitResult::Failed : WaitResult::TimedOut;
}

long PosixSmtpSocket::receive(char* into, size_t size) {
    return long(recv(socket_, into, size, 0));
}

std::string PosixSmtpSocket::heloName() {
    char name[100] = {};
    if (gethostname(name, sizeof name) == 0 && name[0]) return name;
    return "[127.0.0.1]";
}

void PosixSmtpSocket::shutdown() {
    cancelled_ = true;
    if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

uint64_t SteadyClock::milliseconds() {
    return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

}  // namespace kz8::mail
