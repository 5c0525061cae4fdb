// Any To, Cc or Bcc text, with a book that answers some names: no
// recipient may carry a control character into the commands or headers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "mail/portable/mail_address.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto book = [](const std::string& name) -> std::optional<std::string> {
        if (name.size() % 3 == 0) return name + "@example.com";
        return std::nullopt;
    };
    const kz8::mail::ParsedRecipients parsed = kz8::mail::parseRecipients(text, book);
    for (const kz8::mail::MailAddress& recipient : parsed.recipients) {
        if (recipient.address.empty()) __builtin_trap();
        if (kz8::mail::hasControlCharacter(recipient.address + recipient.friendlyName))
            __builtin_trap();
        if (recipient.address.find_first_of(",;") != std::string::npos) __builtin_trap();
    }
    return 0;
}
