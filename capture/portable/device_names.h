// The names of the video input devices as the host reads them: at most 100,
// each in an 80-byte ANSI field that always ends in a NUL. A name too long
// for its field is cut at a character boundary, so that a double-byte
// character is never left half.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

namespace kz8::capture {

constexpr int kMaxDevices = 100;
constexpr size_t kNameField = 80;

// Whether a byte starts a two-byte character in the ANSI code page.
using LeadByteTest = std::function<bool(unsigned char)>;

// The longest start of `text` of at most `limit` bytes that ends on a
// character boundary.
std::string_view cutAtCharacter(std::string_view text, size_t limit,
                                const LeadByteTest& isLeadByte);

class DeviceNames {
public:
    // Adds the next device's name, cut to its field; false once 100 are listed.
    bool add(std::string_view name, const LeadByteTest& isLeadByte);
    int count() const { return count_; }
    // The name of device `index`; null for a negative index or one past the list.
    const char* name(int index) const;
    void clear() { count_ = 0; }

private:
    std::array<std::array<char, kNameField>, kMaxDevices> names_{};
    int count_ = 0;
};

}  // namespace kz8::capture
