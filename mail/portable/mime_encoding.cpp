#include "mail/portable/mime_encoding.h"

#include <algorithm>

namespace kz8::mail {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kBase64LineLength = 76;
constexpr size_t kQuotedLineLength = 76;
constexpr size_t kHeaderWordLength = 75;
constexpr char kHex[] = "0123456789ABCDEF";

void appendGroup(std::string& out, const uint8_t* bytes, size_t count) {
    const uint32_t value = (uint32_t(bytes[0]) << 16) | (count > 1 ? uint32_t(bytes[1]) << 8 : 0) |
                           (count > 2 ? uint32_t(bytes[2]) : 0);
    out += kAlphabet[(value >> 18) & 63];
    out += kAlphabet[(value >> 12) & 63];
    out += count > 1 ? kAlphabet[(value >> 6) & 63] : '=';
    out += count > 2 ? kAlphabet[value & 63] : '=';
}

std::string escaped(uint8_t byte) { return {'=', kHex[byte >> 4], kHex[byte & 15]}; }

// One line of text (without its line end) as quoted-printable lines.
void appendQuotedLine(std::string& out, const std::string& line) {
    size_t column = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const uint8_t byte = uint8_t(line[i]);
        const bool last = i + 1 == line.size();
        const bool plain =
            (byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !last);
        const std::string piece = plain ? std::string(1, char(byte)) : escaped(byte);
        // Room is kept for the "=" of a soft break, unless this is the end.
        const size_t room = last ? kQuotedLineLength : kQuotedLineLength - 1;
        if (column + piece.size() > room) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    }
}

}  // namespace

uint64_t base64LinesLength(uint64_t size) {
    const uint64_t characters = (size + 2) / 3 * 4;
    const uint64_t fullLines = characters / kBase64LineLength;
    // Every full line ends in CRLF, and a CRLF always follows the last group.
    return characters + 2 * fullLines + 2;
}

std::string encodeBase64Lines(const uint8_t* data, size_t size) {
    std::string out;
    out.reserve(size_t(base64LinesLength(size)));
    size_t column = 0;
    for (size_t i = 0; i < size; i += 3) {
        appendGroup(out, data + i, std::min<size_t>(3, size - i));
        column += 4;
        if (column == kBase64LineLength) {
            out += "\r\n";
            column = 0;
        }
    }
    out += "\r\n";
    return out;
}

std::string encodeBase64(const std::string& bytes) {
    std::string out;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (size_t i = 0; i < bytes.size(); i += 3)
        appendGroup(out, data + i, std::min<size_t>(3, bytes.size() - i));
    return out;
}

bool isSevenBit(const std::string& text) {
    for (char c : text)
        if (uint8_t(c) >= 0x80) return false;
    return true;
}

std::string withCrlfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string encodeQuotedPrintable(const std::string& crlfText) {
    std::string out;
    size_t start = 0;
    while (start <= crlfText.size()) {
        const size_t end = crlfText.find("\r\n", start);
        appendQuotedLine(out, crlfText.substr(start, end == std::string::npos ? std::string::npos
                                                                              : end - start));
        if (end == std::string::npos) break;
        out += "\r\n";
        start = end + 2;
    }
    return out;
}

std::string encodeHeaderWords(const std::string& text, const std::string& charset,
                              const LeadByteTest& isLeadByte) {
    const std::string opening = "=?" + charset + "?B?";
    // Bytes per word: its base64 must fit beside "=?charset?B?" and "?=".
    const size_t payload = kHeaderWordLength - opening.size() - 2;
    const size_t bytesPerWord = std::max<size_t>(payload / 4 * 3, 3);
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at;
        while (end < text.size()) {
            const size_t width = isLeadByte(uint8_t(text[end])) && end + 1 < text.size() ? 2 : 1;
            if (end + width - at > bytesPerWord && end > at) break;
            end += width;
        }
        if (!out.empty()) out += "\r\n ";
        out += opening + encodeBase64(text.substr(at, end - at)) + "?=";
        at = end;
    }
    return out;
}

std::string encodeExtendedValue(const std::string& text, const std::string& charset) {
    std::string out = charset + "''";
    for (char c : text) {
        const uint8_t byte = uint8_t(c);
        const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= 'a' && byte <= 'z') || byte == '.' || byte == '-' ||
                           byte == '_';
        if (plain)
            out += c;
        else
            out += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
    return out;
}

std::string quotedString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string charsetOfCodePage(uint32_t codePage) {
    switch (codePage) {
        case 874: return "windows-874";
        case 932: return "Shift_JIS";
        case 936: return "GBK";
        case 949: return "EUC-KR";
        case 950: return "Big5";
        default: break;
    }
    if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
    return {};
}

}  // namespace kz8::mail
