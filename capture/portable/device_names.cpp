#include "capture/portable/device_names.h"

#include <cstring>

namespace kz8::capture {

std::string_view cutAtCharacter(std::string_view text, size_t limit,
                                const LeadByteTest& isLeadByte) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t length =
            isLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + length > limit) break;
        end += length;
    }
    return text.substr(0, end);
}

bool DeviceNames::add(std::string_view name, const LeadByteTest& isLeadByte) {
    if (count_ >= kMaxDevices) return false;
    std::array<char, kNameField>& field = names_[static_cast<size_t>(count_++)];
    const std::string_view kept = cutAtCharacter(name, kNameField - 1, isLeadByte);
    field.fill('\0');
    std::memcpy(field.data(), kept.data(), kept.size());
    return true;
}

const char* DeviceNames::name(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    return names_[static_cast<size_t>(index)].data();
}

}  // namespace kz8::capture
