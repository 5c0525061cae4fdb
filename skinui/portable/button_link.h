// Where a button's LINK leads: the template file beside the button's own,
// unless the template came from a text, the LINK is empty, the path would
// not fit the 260-byte field, or it is the template's own file.
#pragma once

#include <optional>
#include <string>

namespace kz8::skinui {

constexpr size_t kMaxLinkedPathBytes = 259;  // a 260-byte field with its NUL

// templatePath: the template's path field (upper case; empty for a text).
std::optional<std::string> linkedTemplatePath(const std::string& templatePath,
                                              const std::string& link);

}  // namespace kz8::skinui
