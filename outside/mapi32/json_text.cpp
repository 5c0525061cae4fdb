#include "outside/mapi32/json_text.h"

namespace kz8::outside {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kFirstHighByte = 0x80;

void appendUnicodeEscape(std::string& out, unsigned char byte) {
    static const char kHexDigits[] = "0123456789abcdef";
    out += "\\u00";
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

}  // namespace

std::string jsonString(const char* text) {
    if (!text) return "null";
    std::string out = "\"";
    for (const char* at = text; *at; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += char(byte);
        } else if (byte < kFirstPrintable || byte >= kFirstHighByte) {
            appendUnicodeEscape(out, byte);
        } else {
            out += char(byte);
        }
    }
    return out + "\"";
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out + "]";
}

JsonObject& JsonObject::text(const char* name, const char* value) {
    return json(name, jsonString(value));
}

JsonObject& JsonObject::number(const char* name, uint64_t value) {
    return json(name, std::to_string(value));
}

JsonObject& JsonObject::json(const char* name, const std::string& value) {
    if (!body_.empty()) body_ += ",";
    body_ += jsonString(name) + ":" + value;
    return *this;
}

}  // namespace kz8::outside
