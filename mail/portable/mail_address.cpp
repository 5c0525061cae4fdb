#include "mail/portable/mail_address.h"

namespace kz8::mail {

namespace {

std::string trimmedBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool looksLikeAddress(const std::string& address) {
    const size_t at = address.find('@');
    return at != std::string::npos && at + 1 < address.size();
}

// One entry: nothing for an empty address, false when malformed.
bool parseEntry(const std::string& entry, const AddressLookup& lookup,
                std::optional<MailAddress>& parsed) {
    MailAddress mailbox;
    const size_t open = entry.find('<');
    if (open == std::string::npos) {
        mailbox.address = entry;
    } else {
        const size_t close = entry.find('>');
        if (close == std::string::npos || close < open) return false;
        mailbox.friendlyName = entry.substr(0, open);
        mailbox.address = entry.substr(open + 1, close - open - 1);
    }
    mailbox.friendlyName = trimmedBlanks(mailbox.friendlyName);
    mailbox.address = trimmedBlanks(mailbox.address);
    if (hasControlCharacter(mailbox.friendlyName) || hasControlCharacter(mailbox.address))
        return false;
    if (mailbox.address.empty()) return true;
    if (!looksLikeAddress(mailbox.address)) {
        if (const auto found = lookup ? lookup(mailbox.address) : std::nullopt) {
            if (hasControlCharacter(*found)) return false;
            mailbox = MailAddress{{}, *found};
        }
    }
    parsed = mailbox;
    return true;
}

}  // namespace

std::string MailAddress::RegularForm() const {
    return friendlyName.empty() ? address : friendlyName + " <" + address + ">";
}

bool hasControlCharacter(const std::string& text) {
    for (char c : text)
        if (uint8_t(c) < 32 || c == 127) return true;
    return false;
}

ParsedRecipients parseRecipients(const std::string& text, const AddressLookup& lookup) {
    ParsedRecipients result;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find_first_of(",;", start);
        const std::string entry =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::optional<MailAddress> parsed;
        if (!parseEntry(entry, lookup, parsed)) {
            result.complete = false;
            return result;
        }
        if (parsed) result.recipients.push_back(*parsed);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

}  // namespace kz8::mail
