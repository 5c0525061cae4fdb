// JSON text for the call log, one object per line. Texts are Latin-1 bytes to
// the log: every byte of 0x80 and above is written as \u00XX of its value, so
// the bytes a caller passed in any code page can be read back exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kz8::outside {

// The quoted, escaped text; null for a null pointer.
std::string jsonString(const char* text);

std::string jsonArray(const std::vector<std::string>& items);

// Fields in the order they are added.
class JsonObject {
public:
    JsonObject& text(const char* name, const char* value);
    JsonObject& number(const char* name, uint64_t value);
    JsonObject& json(const char* name, const std::string& value);  // already JSON
    std::string str() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

}  // namespace kz8::outside
