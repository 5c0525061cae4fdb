// A checked parse tree into a Template and its control records, and the
// whole of loading a template from its text.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "skinui/portable/parse_error.h"
#include "skinui/portable/template_parser.h"
#include "skinui/portable/template_records.h"

namespace kz8::skinui {

struct BuildOptions {
    LeadByteTest isLeadByte = nullptr;  // none: every byte is one character
};

// Fills target from a tree that passed checkTemplate. Fails (id 2 at the
// FILENAME line) only when the background picture cannot be had.
std::optional<ParseError> buildTemplate(const ParseTree& tree, TemplateResources& resources,
                                        const BuildOptions& options, Template& target);

struct LoadResult {
    std::unique_ptr<Template> loaded;  // set on success
    ParseError error;                  // set on failure
};

// Parse, check and build; a memory failure anywhere is id 8.
LoadResult loadTemplateText(std::string_view text, TemplateResources& resources,
                            const BuildOptions& options = {});

}  // namespace kz8::skinui
