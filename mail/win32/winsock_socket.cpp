#include "mail/win32/winsock_socket.h"

#include <cstdio>

namespace kz8::mail {

namespace {

constexpr size_t kHostNameBytes = 100;
constexpr uint32_t kWaitStepMilliseconds = 250;
constexpr uint32_t kConnectMilliseconds = 30000;

bool resolve(const std::string& host, in_addr& address) {
    address.s_addr = inet_addr(host.c_str());
    if (address.s_addr != INADDR_NONE) return true;
    const hostent* found = gethostbyname(host.c_str());
    if (!found || found->h_addrtype != AF_INET || !found->h_addr_list[0]) return false;
    address = *reinterpret_cast<const in_addr*>(found->h_addr_list[0]);
    return true;
}

}  // namespace

bool startWindowsSockets() {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
    if (LOBYTE(data.wVersion) == 1 && HIBYTE(data.wVersion) == 1) return true;
    WSACleanup();
    return false;
}

WinsockSocket::~WinsockSocket() {
    const SOCKET open = socket_.exchange(INVALID_SOCKET);
    if (open != INVALID_SOCKET) closesocket(open);
}

bool WinsockSocket::waitFor(bool writable, uint32_t milliseconds) {
    for (uint32_t waited = 0; waited < milliseconds && !cancelled_;) {
        const uint32_t step = std::min(kWaitStepMilliseconds, milliseconds - waited);
        fd_set ready, failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(socket_.load(), &ready);
        FD_SET(socket_.load(), &failed);
        timeval wait{0, long(step) * 1000};
        const int count =
            select(0, writable ? nullptr : &ready, writable ? &ready : nullptr, &failed, &wait);
        if (count != 0) return count > 0;
        waited += step;
    }
    return false;
}

int WinsockSocket::connect(const std::string& host, uint16_t port) {
    const SOCKET made = ::socket(AF_INET, SOCK_STREAM, 0);
    if (made == INVALID_SOCKET) return WSAGetLastError();
    socket_ = made;
    u_long nonBlocking = 1;
    ioctlsocket(made, FIONBIO, &nonBlocking);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (!resolve(host, address.sin_addr)) return kErrorHostNotFound;
    if (::connect(made, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return 0;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return WSAGetLastError();
    if (!waitFor(true, kConnectMilliseconds)) return cancelled_ ? WSAEINTR : WSAETIMEDOUT;
    int error = 0;
    int length = sizeof error;
    getsockopt(made, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
    return error;
}

// A send may take only part of the bytes; the rest follow when there is room.
bool WinsockSocket::sendAll(const char* bytes, size_t size) {
    while (size > 0) {
        if (cancelled_) return false;
        const int sent = ::send(socket_, bytes, int(std::min<size_t>(size, 1 << 20)), 0);
        if (sent == SOCKET_ERROR) {
            if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
            waitFor(true, kWaitStepMilliseconds);
            continue;
        }
        bytes += sent;
        size -= size_t(sent);
    }
    return true;
}

WaitResult WinsockSocket::waitReadable(uint32_t milliseconds) {
    if (cancelled_) return WaitResult::Failed;
    if (waitFor(false, milliseconds)) return WaitResult::Readable;
    return cancelled_ ? WaitResult::Failed : WaitResult::TimedOut;
}

long WinsockSocket::receive(char* into, size_t size) {
    const int got = recv(socket_, into, int(size), 0);
    return got == SOCKET_ERROR ? -1 : long(got);
}

// The host name when it fits; else the local end's address literal.
std::string WinsockSocket::heloName() {
    char name[kHostNameBytes] = {};
    if (gethostname(name, int(sizeof name)) == 0 && name[0]) return name;
    sockaddr_in local{};
    int length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    const auto* b = reinterpret_cast<const uint8_t*>(&local.sin_addr);
    char literal[24] = {};
    std::snprintf(literal, sizeof literal, "[%u.%u.%u.%u]", b[0], b[1], b[2], b[3]);
    return literal;
}

void WinsockSocket::shutdown() {
    cancelled_ = true;
    const SOCKET open = socket_;
    if (open != INVALID_SOCKET) ::shutdown(open, SD_BOTH);
}

}  // namespace kz8::mail
