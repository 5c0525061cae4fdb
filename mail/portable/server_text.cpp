#include "mail/portable/server_text.h"

#include <cctype>

namespace kz8::mail {

namespace {

constexpr uint16_t kSubmissionPort = 587;
constexpr uint16_t kImplicitTlsPort = 465;
constexpr unsigned long kLargestPort = 65535;

bool parsePort(const std::string& digits, uint16_t& port) {
    if (digits.empty() || digits.size() > 5) return false;
    unsigned long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + unsigned(c - '0');
    }
    if (value < 1 || value > kLargestPort) return false;
    port = uint16_t(value);
    return true;
}

}  // namespace

ServerEndpoint parseServerText(const std::string& text) {
    ServerEndpoint endpoint;
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos) {
        endpoint.host = text;
        return endpoint;
    }
    endpoint.host = text.substr(0, colon);
    if (!parsePort(text.substr(colon + 1), endpoint.port)) {
        endpoint.kind = SessionKind::Invalid;
        return endpoint;
    }
    if (endpoint.port == kSubmissionPort) endpoint.kind = SessionKind::Submission;
    if (endpoint.port == kImplicitTlsPort) endpoint.kind = SessionKind::ImplicitTls;
    return endpoint;
}

std::optional<std::array<uint8_t, 4>> parseDottedAddress(const std::string& host) {
    std::array<uint8_t, 4> bytes{};
    size_t at = 0;
    for (size_t part = 0; part < bytes.size(); ++part) {
        if (part > 0 && (at >= host.size() || host[at++] != '.')) return std::nullopt;
        unsigned value = 0;
        size_t digits = 0;
        for (; at < host.size() && host[at] >= '0' && host[at] <= '9' && digits < 4; ++digits)
            value = value * 10 + unsigned(host[at++] - '0');
        if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
        bytes[part] = uint8_t(value);
    }
    if (at != host.size()) return std::nullopt;
    return bytes;
}

std::string credentialTarget(const ServerEndpoint& endpoint) {
    std::string target = "KZ8Mail:";
    for (char c : endpoint.host) target += char(std::tolower(static_cast<unsigned char>(c)));
    return target;
}

}  // namespace kz8::mail
