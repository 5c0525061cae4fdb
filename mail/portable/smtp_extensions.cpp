#include "mail/portable/smtp_extensions.h"

#include <cctype>
#include <sstream>

#include "mail/portable/mime_encoding.h"

namespace kz8::mail {

namespace {

std::string upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

EhloOffer parseEhloReply(const std::string& reply) {
    EhloOffer offer;
    std::istringstream lines(reply);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // The first line greets; each later one names an extension.
        if (first || line.size() < 4) {
            first = false;
            continue;
        }
        std::istringstream words(line.substr(4));
        std::string keyword;
        words >> keyword;
        keyword = upper(keyword);
        if (keyword == "STARTTLS") offer.startTls = true;
        const bool oldForm = keyword.rfind("AUTH=", 0) == 0;
        if (keyword != "AUTH" && !oldForm) continue;
        offer.auth = true;
        if (oldForm) offer.mechanisms.insert(keyword.substr(5));
        for (std::string mechanism; words >> mechanism;) offer.mechanisms.insert(upper(mechanism));
    }
    return offer;
}

LoginMechanism chooseLogin(const EhloOffer& offer) {
    if (offer.mechanisms.count("PLAIN")) return LoginMechanism::Plain;
    if (offer.mechanisms.size() == 1 && offer.mechanisms.count("LOGIN"))
        return LoginMechanism::Login;
    return LoginMechanism::None;
}

std::string authPlainCommand(const std::string& user, const std::string& password) {
    return "AUTH PLAIN " + encodeBase64(std::string(1, '\0') + user + '\0' + password) + "\r\n";
}

std::string authLoginAnswer(const std::string& text) { return encodeBase64(text) + "\r\n"; }

std::string formatMessageId(const std::string& utcStamp, const uint8_t (&random)[16],
                            const std::string& senderAddress, const std::string& heloName) {
    static const char digits[] = "0123456789abcdef";
    std::string id = "<" + utcStamp + ".";
    for (uint8_t byte : random) {
        id += digits[byte >> 4];
        id += digits[byte & 15];
    }
    const size_t at = senderAddress.rfind('@');
    const std::string domain = at != std::string::npos && at + 1 < senderAddress.size()
                                   ? senderAddress.substr(at + 1)
                                   : heloName;
    return id + "@" + domain + ">";
}

}  // namespace kz8::mail
