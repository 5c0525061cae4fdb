// The address book file's bytes: a 110-byte header, then one 532-byte
// record per entry, head first. Fields are fixed-width little-endian and
// are coded one by one, never by copying an in-memory struct, whose links
// are 4 or 8 bytes wide depending on the build.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kz8::mail {

constexpr size_t kBookHeaderBytes = 110;
constexpr size_t kAddressRecordBytes = 532;
constexpr size_t kAddressTextBytes = 260;  // name and e-mail, NUL included
constexpr const char* kBookTitle = "Tavrel KZ8 Email Address Book";
constexpr const char* kBookVersion = "1.0";
constexpr const char* kBookFileName = "Address.mab";

using BookHeader = std::array<uint8_t, kBookHeaderBytes>;
using AddressRecord = std::array<uint8_t, kAddressRecordBytes>;

struct DecodedRecord {
    std::string name;
    std::string emailAddress;
    bool anotherFollows = false;  // the stored "next" is 1
};

// Title and version, zeros elsewhere.
BookHeader encodeBookHeader();
// Whether the file's first bytes begin with the title, in any case.
bool isBookHeader(const uint8_t* bytes, size_t size);

// Texts cut to 259 bytes and padded with zeros, so that a saved book
// depends only on its entries; prev 0, inUse 1.
AddressRecord encodeAddressRecord(const std::string& name, const std::string& emailAddress,
                                  bool anotherFollows);
// A text without its NUL ends at its field's last byte.
DecodedRecord decodeAddressRecord(const AddressRecord& record);

}  // namespace kz8::mail
