#include "mail/portable/aol_typing.h"

namespace kz8::mail {

namespace {

constexpr int kVersionWithoutBlanks = 6;
constexpr int kDefaultVersion = 5;

}  // namespace

std::vector<TypedCharacter> typingSequence(const std::string& path, int version,
                                           const std::function<bool(uint8_t)>& isLeadByte) {
    std::vector<TypedCharacter> typed;
    if (version != kVersionWithoutBlanks) typed.assign(3, TypedCharacter{' ', false});
    for (size_t at = 0; at < path.size(); ++at) {
        const auto byte = uint8_t(path[at]);
        if (isLeadByte(byte) && at + 1 < path.size()) {
            typed.push_back({unsigned(byte) << 8 | uint8_t(path[at + 1]), true});
            ++at;
        } else {
            typed.push_back({byte, false});
        }
    }
    return typed;
}

int aolVersionFromFolder(const std::string& folder) {
    if (folder.size() < 3) return kDefaultVersion;
    const char digit = folder[folder.size() - 3];
    return digit >= '0' && digit <= '9' ? digit - '0' : kDefaultVersion;
}

}  // namespace kz8::mail
