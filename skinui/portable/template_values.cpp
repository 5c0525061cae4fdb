#include "skinui/portable/template_values.h"

#include <array>
#include <limits>

#include "skinui/portable/template_tables.h"

namespace kz8::skinui {

namespace {

constexpr size_t kCommandWordLimit = 100;
constexpr int32_t kColourMax = 255;

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> commaFields(std::string_view value) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t comma = value.find(',', start);
        fields.push_back(
            value.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

// One numeric field: trimmed, not empty, no character above '9'; read as a
// decimal number up to the first character that is not a digit.
std::optional<int32_t> numberField(std::string_view field) {
    field = trim(field);
    if (field.empty()) return std::nullopt;
    for (char c : field)
        if (static_cast<unsigned char>(c) > '9') return std::nullopt;
    size_t at = 0;
    bool negative = false;
    if (field[0] == '-' || field[0] == '+') {
        negative = field[0] == '-';
        at = 1;
    }
    int64_t number = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        number = number * 10 + (field[at] - '0');
        if (number > int64_t(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
    }
    if (negative) number = -number;
    if (number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(number);
}

constexpr size_t kMostFields = 4;
using Numbers = std::array<int32_t, kMostFields>;

// Exactly count (at most kMostFields) numeric fields.
std::optional<Numbers> numberFields(std::string_view value, size_t count) {
    Numbers numbers{};
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t comma = value.find(',', start);
        const bool last = i + 1 == count;
        if (last != (comma == std::string_view::npos)) return std::nullopt;
        const auto number =
            numberField(value.substr(start, last ? std::string_view::npos : comma - start));
        if (!number) return std::nullopt;
        numbers[i] = *number;
        start = comma + 1;
    }
    return numbers;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool fitsField(std::string_view text, size_t fieldBytes) { return text.size() < fieldBytes; }

}  // namespace

std::optional<int32_t> integerValue(std::string_view value) {
    return numberField(value.substr(0, value.find(',')));
}

std::optional<Rect> rectValue(std::string_view value) {
    const auto n = numberFields(value, 4);
    if (!n || (*n)[0] >= (*n)[2] || (*n)[1] >= (*n)[3]) return std::nullopt;
    return Rect{(*n)[0], (*n)[1], (*n)[2], (*n)[3]};
}

std::optional<std::pair<int32_t, int32_t>> rangeValue(std::string_view value) {
    const auto n = numberFields(value, 2);
    if (!n || (*n)[1] < (*n)[0]) return std::nullopt;
    return std::make_pair((*n)[0], (*n)[1]);
}

std::optional<uint32_t> colourValue(std::string_view value) {
    const auto n = numberFields(value, 3);
    if (!n) return std::nullopt;
    for (int32_t part : *n)
        if (part < 0 || part > kColourMax) return std::nullopt;
    return uint32_t((*n)[0]) | (uint32_t((*n)[1]) << 8) | (uint32_t((*n)[2]) << 16);
}

std::optional<ButtonCommand> commandValue(std::string_view value, ParseError* error) {
    auto fail = [&](int32_t id, std::vector<std::string> arguments = {}) {
        if (error) *error = ParseError{id, kNoLine, std::move(arguments)};
        return std::nullopt;
    };
    const auto fields = commaFields(value);
    std::string_view word = trim(fields[0]);
    if (word.size() > kCommandWordLimit) word = trim(word.substr(0, kCommandWordLimit));
    ButtonCommand command;
    command.command = std::string(word);
    const std::string_view target = fields.size() > 1 ? trim(fields[1]) : std::string_view();
    const bool close = sameIgnoringCase(word, "CloseWindow");
    const bool enable = sameIgnoringCase(word, "EnableWindow");
    if (!close && !enable) return fail(kErrorUnknownCommand, {command.command});
    if (target.empty()) return fail(kErrorMissingParameter);
    if (!fitsField(target, kNameBytes)) return fail(kErrorInvalidParameter);
    command.target = std::string(target);
    for (size_t i = 2; i < fields.size(); ++i) {
        const std::string_view argument = trim(fields[i]);
        if (!fitsField(argument, kNameBytes)) return fail(kErrorInvalidParameter);
        command.arguments.emplace_back(argument);
    }
    if (enable) {
        if (command.arguments.empty()) return fail(kErrorMissingParameter);
        if (!sameIgnoringCase(command.arguments[0], "TRUE") &&
            !sameIgnoringCase(command.arguments[0], "FALSE"))
            return fail(kErrorInvalidParameter);
    }
    return command;
}

std::string withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string cutToField(std::string text, size_t fieldBytes, LeadByteTest isLeadByte) {
    if (text.size() < fieldBytes) return text;
    size_t keep = 0;
    // Walk whole characters so that the cut falls between two of them.
    while (keep < fieldBytes - 1) {
        const bool pair = isLeadByte && isLeadByte(static_cast<unsigned char>(text[keep]));
        const size_t width = pair ? 2 : 1;
        if (keep + width > fieldBytes - 1) break;
        keep += width;
    }
    text.resize(keep);
    return text;
}

std::vector<std::string> initDataItems(std::string_view value, LeadByteTest isLeadByte) {
    if (value.size() > kInitDataLimit) return {};
    std::vector<std::string> items;
    for (std::string_view piece : commaFields(value)) {
        piece = trim(piece);
        if (piece.size() < 2 || piece.front() != '"' || piece.back() != '"') return {};
        items.push_back(
            cutToField(std::string(piece.substr(1, piece.size() - 2)), kListItemBytes, isLeadByte));
    }
    return items;
}

std::optional<ParseError> checkValue(int32_t keyId, const std::string& value, int32_t line) {
    if (value.empty()) return std::nullopt;
    const KeyDefinition& key = keyDefinition(keyId);
    auto error = [&](int32_t id, std::vector<std::string> arguments = {}) {
        return ParseError{id, line, std::move(arguments)};
    };
    switch (key.type) {
        case KeyType::Integer:
            if (!integerValue(value)) return error(kErrorInvalidNumber);
            break;
        case KeyType::Rect:
            if (!rectValue(value)) return error(kErrorInvalidRect, {std::string(trim(value))});
            break;
        case KeyType::Range:
            if (!rangeValue(value)) return error(kErrorInvalidNumber);
            break;
        case KeyType::Colour:
            if (!colourValue(value)) return error(kErrorInvalidColour);
            break;
        case KeyType::Command: {
            ParseError failure;
            if (!commandValue(value, &failure)) {
                failure.line = line;
                return failure;
            }
            break;
        }
        // Values that name something must fit their field whole.
        case KeyType::Name:
            if (!fitsField(value, kNameBytes)) return error(kErrorUnknownSection, {value});
            break;
        case KeyType::LinkFile:
            if (!fitsField(value, kLinkBytes)) return error(kErrorInvalidFile);
            break;
        case KeyType::SoundFile:
            if (!fitsField(value, kSoundBytes)) return error(kErrorInvalidFile);
            break;
        case KeyType::Text:
        case KeyType::CursorFile:
        case KeyType::ImageFile: break;
    }
    return std::nullopt;
}

}  // namespace kz8::skinui
