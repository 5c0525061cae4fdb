#include "mail/portable/mapi_rules.h"

#include <cctype>

namespace kz8::mail {

namespace {

const char kOutlookExpress[] = "Outlook Express";
constexpr int kMostCopyNumbers = 1000;

}  // namespace

bool simpleMapiUsable(const MapiRegistry& registry) {
    if (!registry.systemNewEnough || !registry.messagingKey) return false;
    const bool present =
        registry.mapiValue ? registry.mapiValue->rfind('1', 0) == 0 : registry.msMapiApps;
    if (!present) return false;
    if (registry.msMapiApps) return true;
    if (!registry.mailClientsKey || registry.defaultMailProgram.empty()) return false;
    if (registry.defaultMailProgram != kOutlookExpress) return true;
    return registry.outlookExpressKey && registry.sMapi == 1u;
}

bool hasExtension(const std::string& path, const std::string& extension) {
    if (path.size() < extension.size()) return false;
    for (size_t i = 0; i < extension.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[path.size() - extension.size() + i]);
        if (std::tolower(c) != std::tolower(static_cast<unsigned char>(extension[i]))) return false;
    }
    return true;
}

std::string claimJpegName(const std::string& stem,
                          const std::function<bool(const std::string&)>& claim) {
    for (int number = 0; number < kMostCopyNumbers; ++number) {
        const std::string name =
            stem + (number == 0 ? std::string() : "_" + std::to_string(number)) + ".jpg";
        if (claim(name)) return name;
    }
    return {};
}

std::string documentsDelimiter(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (path.find(';') != std::string::npos) return "|";
    return ";";
}

}  // namespace kz8::mail
