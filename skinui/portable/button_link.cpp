#include "skinui/portable/button_link.h"

#include <cctype>

namespace kz8::skinui {

namespace {

std::string upperCase(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::optional<std::string> linkedTemplatePath(const std::string& templatePath,
                                              const std::string& link) {
    if (templatePath.empty() || link.empty()) return std::nullopt;
    const size_t separator = templatePath.find_last_of("\\/");
    const std::string folder =
        separator == std::string::npos ? std::string() : templatePath.substr(0, separator + 1);
    std::string linked = folder + link;
    if (linked.size() > kMaxLinkedPathBytes) return std::nullopt;
    if (upperCase(linked) == upperCase(templatePath)) return std::nullopt;
    return linked;
}

}  // namespace kz8::skinui
