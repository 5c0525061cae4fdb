// The template text into its parse tree: lines (with continuations,
// comments and the characters allowed outside quotes), section headers and
// key lines. The text is only read; values are copies.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skinui/portable/parse_error.h"
#include "skinui/portable/template_tables.h"

namespace kz8::skinui {

struct ParsedKey {
    int32_t line = 0;
    int32_t id = 0;     // into the key table
    std::string value;  // trimmed
};

struct ParsedSection {
    int32_t line = 0;  // of its header
    SectionKind kind = SectionKind::Template;
    std::vector<ParsedKey> keys;  // in file order
};

struct ParseTree {
    std::vector<ParsedSection> sections;  // in file order
};

// The tree, or the first error met; a text without any line gives an empty tree.
struct ParseResult {
    ParseTree tree;
    bool ok = true;
    ParseError error;
};

ParseResult parseTemplateText(std::string_view text);

}  // namespace kz8::skinui
