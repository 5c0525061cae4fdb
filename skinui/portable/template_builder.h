// A checked parse tree into a Template and its control records, and the
// whole of loading a template from its text.
#pragma once

#include <memory>
#include <optional>
#include <string>
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

// The rules a template path meets before its file is read: it fits the
// template's path field (id 5) and its extension is DTP (id 6).
std::optional<ParseError> templatePathError(const std::string& path);
// Larger template files are refused before they are read (id 8).
constexpr uint64_t kMaxTemplateFileBytes = 16u * 1024 * 1024;

// Parse and check only: what a template's text must pass before anything
// of it is built.
std::optional<ParseError> checkTemplateText(std::string_view text);

// Parse, check and build; a memory failure anywhere is id 8.
LoadResult loadTemplateText(std::string_view text, TemplateResources& resources,
                            const BuildOptions& options = {});

}  // namespace kz8::skinui
