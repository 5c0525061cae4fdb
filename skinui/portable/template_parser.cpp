#include "skinui/portable/template_parser.h"

namespace kz8::skinui {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isBreak(char c) { return c == '\r' || c == '\n'; }

// The characters allowed outside double quotes, as a table of all 256.
struct AllowedCharacters {
    bool allowed[256] = {};
    constexpr AllowedCharacters() {
        for (int c = 'A'; c <= 'Z'; ++c) allowed[c] = allowed[c + 32] = true;
        for (int c = '0'; c <= '9'; ++c) allowed[c] = true;
        for (char c : "/[]\\:.=_,();\" \t") allowed[static_cast<unsigned char>(c)] = true;
        allowed[0] = false;  // from the string literal's terminator
    }
};
constexpr AllowedCharacters kAllowed;

bool allowedOutsideQuotes(char c) { return kAllowed.allowed[static_cast<unsigned char>(c)]; }

// Characters the line reader must look at one by one.
bool isSpecial(char c) {
    return c == '\r' || c == '\n' || c == '\\' || c == '/' || c == '"' || c == '\0';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\n')) text.remove_suffix(1);
    return text;
}

// Reads logical lines: continuations joined, backslash pairs and comments
// removed, leading blanks skipped, lines with nothing left skipped.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // False at the end of the text, or on an error (then error() holds it).
    bool next(std::string& line) {
        while (at_ < text_.size()) {
            line.clear();
            if (!readLogicalLine(line)) return false;
            size_t start = 0;
            while (start < line.size() && isBlank(line[start])) ++start;
            if (start < line.size()) {
                line.erase(0, start);
                return true;
            }
        }
        return false;
    }
    int32_t line() const { return line_; }
    bool failed() const { return failed_; }
    const ParseError& error() const { return error_; }

private:
    bool fail(int32_t id, std::vector<std::string> arguments = {}) {
        failed_ = true;
        error_ = ParseError{id, line_, std::move(arguments)};
        return false;
    }

    // Past a CR, LF or CR LF at at_.
    void skipBreak() {
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
        ++at_;
    }

    bool readLogicalLine(std::string& line) {
        ++line_;
        bool quoted = false;
        while (at_ < text_.size() && text_[at_] != '\0') {
            // Ordinary characters go over in one run.
            size_t run = at_;
            while (run < text_.size() && !isSpecial(text_[run]) &&
                   (quoted || allowedOutsideQuotes(text_[run])))
                ++run;
            line.append(text_.data() + at_, run - at_);
            at_ = run;
            if (at_ >= text_.size() || text_[at_] == '\0') break;
            const char c = text_[at_];
            if (isBreak(c)) {
                skipBreak();
                break;
            }
            if (c == '\\') {
                ++at_;
                if (at_ >= text_.size() || text_[at_] == '\0') break;  // the last byte: alone
                if (isBreak(text_[at_])) {
                    skipBreak();
                    ++line_;  // the continuation is a further line
                } else {
                    ++at_;  // the backslash and the character after it
                }
                continue;
            }
            if (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') {
                while (at_ < text_.size() && text_[at_] != '\0' && !isBreak(text_[at_])) ++at_;
                continue;
            }
            if (c == '"') quoted = !quoted;
            if (!quoted && !allowedOutsideQuotes(c))
                return fail(kErrorUnknownCharacter, {std::string(1, c)});
            line += c;
            ++at_;
        }
        if (at_ < text_.size() && text_[at_] == '\0') at_ = text_.size();
        if (quoted) return fail(kErrorOpenQuote);
        return true;
    }

    std::string_view text_;
    size_t at_ = 0;
    int32_t line_ = 0;
    bool failed_ = false;
    ParseError error_;
};

}  // namespace

ParseResult parseTemplateText(std::string_view text) {
    ParseResult result;
    auto failWith = [&](ParseError error) {
        result.ok = false;
        result.error = std::move(error);
        result.tree.sections.clear();
        return result;
    };
    LineReader reader(text);
    std::string line;
    while (reader.next(line)) {
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string::npos)
                return failWith({kErrorMissingCloseBracket, reader.line(), {}});
            const std::string header = line.substr(0, close + 1);
            const auto kind = findSection(header);
            if (!kind) return failWith({kErrorUnknownSection, reader.line(), {header}});
            result.tree.sections.push_back(ParsedSection{reader.line(), *kind, {}});
            continue;
        }
        if (result.tree.sections.empty())
            return failWith({kErrorMissingOpenBracket, reader.line(), {}});
        const size_t equals = line.find('=');
        if (equals == std::string::npos) return failWith({kErrorMissingEquals, reader.line(), {}});
        const std::string_view name = trimmed(std::string_view(line).substr(0, equals));
        const auto id = findKey(name);
        if (!id) return failWith({kErrorUnknownKey, reader.line(), {std::string(name)}});
        std::string_view value = trimmed(std::string_view(line).substr(equals + 1));
        if (value.substr(0, 2) == "//") value = {};
        result.tree.sections.back().keys.push_back(
            ParsedKey{reader.line(), *id, std::string(value)});
    }
    if (reader.failed()) return failWith(reader.error());
    return result;
}

}  // namespace kz8::skinui
