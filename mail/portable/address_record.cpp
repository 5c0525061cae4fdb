#include "mail/portable/address_record.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "common/portable/le_bytes.h"

namespace kz8::mail {

namespace {

constexpr size_t kVersionOffset = 100;
constexpr size_t kNameOffset = 0;
constexpr size_t kEmailOffset = 260;
constexpr size_t kPrevOffset = 520;
constexpr size_t kNextOffset = 524;
constexpr size_t kInUseOffset = 528;

void storeText(uint8_t* field, const std::string& text) {
    const size_t length = std::min(text.size(), kAddressTextBytes - 1);
    std::memcpy(field, text.data(), length);
}

std::string loadText(const uint8_t* field) {
    const auto* begin = reinterpret_cast<const char*>(field);
    return std::string(begin, std::find(begin, begin + kAddressTextBytes - 1, '\0'));
}

}  // namespace

BookHeader encodeBookHeader() {
    BookHeader header{};
    std::memcpy(header.data(), kBookTitle, std::strlen(kBookTitle));
    std::memcpy(header.data() + kVersionOffset, kBookVersion, std::strlen(kBookVersion));
    return header;
}

bool isBookHeader(const uint8_t* bytes, size_t size) {
    const size_t length = std::strlen(kBookTitle);
    if (size < length) return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(bytes[i]) != std::tolower(static_cast<unsigned char>(kBookTitle[i])))
            return false;
    return true;
}

AddressRecord encodeAddressRecord(const std::string& name, const std::string& emailAddress,
                                  bool anotherFollows) {
    AddressRecord record{};
    storeText(record.data() + kNameOffset, name);
    storeText(record.data() + kEmailOffset, emailAddress);
    storeU32LE(record.data() + kPrevOffset, 0);
    storeU32LE(record.data() + kNextOffset, anotherFollows ? 1 : 0);
    storeU32LE(record.data() + kInUseOffset, 1);
    return record;
}

DecodedRecord decodeAddressRecord(const AddressRecord& record) {
    DecodedRecord decoded;
    decoded.name = loadText(record.data() + kNameOffset);
    decoded.emailAddress = loadText(record.data() + kEmailOffset);
    decoded.anotherFollows = loadU32LE(record.data() + kNextOffset) == 1;
    return decoded;
}

}  // namespace kz8::mail
