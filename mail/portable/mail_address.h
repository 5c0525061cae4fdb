// Mailboxes and the recipient texts they come from: "Name <address>",
// bare addresses, and names looked up in the address book, separated by
// "," or ";".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kz8::mail {

struct MailAddress {
    std::string friendlyName;
    std::string address;
    // "name <address>", or the address alone without a name.
    std::string RegularForm() const;
};

// A name's e-mail in the address book, if it has one.
using AddressLookup = std::function<std::optional<std::string>(const std::string& name)>;

struct ParsedRecipients {
    std::vector<MailAddress> recipients;  // those before a malformed entry too
    bool complete = true;                 // false: an entry was malformed (error 13)
};

// An entry is malformed when its "<" has no ">" after it, or when its name
// or address holds a control character (a line break would write headers
// or commands of its own). An address with "@" anywhere but at its end is
// taken as it is; anything else is looked up, and kept as it is when the
// book has no such name.
ParsedRecipients parseRecipients(const std::string& text, const AddressLookup& lookup);

bool hasControlCharacter(const std::string& text);

}  // namespace kz8::mail
