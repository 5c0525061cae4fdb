// The value types of template keys: their checks and what they convert to.
// An empty value passes every check; only the presence rules reject it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/portable/rect.h"
#include "skinui/portable/parse_error.h"

namespace kz8::skinui {

// Field sizes of the records, NUL included.
constexpr size_t kNameBytes = 64;
constexpr size_t kCaptionBytes = 64;
constexpr size_t kTipBytes = 256;
constexpr size_t kLinkBytes = 264;
constexpr size_t kSoundBytes = 260;
constexpr size_t kListItemBytes = 256;
constexpr size_t kInitDataLimit = 1000;

struct ButtonCommand {
    std::string command;  // as written, e.g. "EnableWindow"
    std::string target;
    std::vector<std::string> arguments;  // in written order
};

// The number of an Integer value: its first comma field, decimal, a fraction
// cut off. Nothing when malformed or outside 32 bits.
std::optional<int32_t> integerValue(std::string_view value);
std::optional<Rect> rectValue(std::string_view value);
// min, max
std::optional<std::pair<int32_t, int32_t>> rangeValue(std::string_view value);
// r + g * 256 + b * 65536
std::optional<uint32_t> colourValue(std::string_view value);
// The command of a COMMAND value, or the error it makes (no line set).
std::optional<ButtonCommand> commandValue(std::string_view value, ParseError* error);

// The Text rule: one pair of enclosing double quotes removed.
std::string withoutQuotes(std::string_view value);

// Whether byte c starts a double-byte character in the host's code page;
// cuts never fall between the two bytes.
using LeadByteTest = bool (*)(unsigned char c);
// text cut to fit a field of fieldBytes (NUL included).
std::string cutToField(std::string text, size_t fieldBytes, LeadByteTest isLeadByte);

// The INITDATA items, quotes removed and each cut to its field; empty when
// any item is not quoted or the value is over kInitDataLimit characters.
std::vector<std::string> initDataItems(std::string_view value, LeadByteTest isLeadByte);

// The value check of a key: nothing when it passes, else the error at line.
std::optional<ParseError> checkValue(int32_t keyId, const std::string& value, int32_t line);

}  // namespace kz8::skinui
