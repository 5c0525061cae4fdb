#include "skinui/portable/template_checks.h"

#include "skinui/portable/template_values.h"

namespace kz8::skinui {

namespace {

std::optional<ParseError> checkValues(const ParseTree& tree) {
    for (const ParsedSection& section : tree.sections)
        for (const ParsedKey& key : section.keys)
            if (auto error = checkValue(key.id, key.value, key.line)) return error;
    return std::nullopt;
}

std::optional<ParseError> checkTemplateSections(const ParseTree& tree) {
    if (tree.sections.empty() || tree.sections.front().kind != SectionKind::Template)
        return ParseError{kErrorTemplateNotFirst, kNoLine, {}};
    for (size_t i = 1; i < tree.sections.size(); ++i)
        if (tree.sections[i].kind == SectionKind::Template)
            return ParseError{kErrorSecondTemplate, tree.sections[i].line, {}};
    return std::nullopt;
}

std::optional<ParseError> checkSectionKeys(const ParsedSection& section) {
    const std::string header = sectionHeader(section.kind);
    bool present[kKeyCount] = {};
    for (const ParsedKey& key : section.keys) {
        const KeyDefinition& definition = keyDefinition(key.id);
        const KeyRule rule = definition.rule(section.kind);
        if (rule == KeyRule::Refused)
            return ParseError{kErrorKeyNotInSection, key.line, {definition.name, header}};
        if (rule == KeyRule::Required && key.value.empty())
            return ParseError{kErrorEmptyValue, key.line, {definition.name}};
        present[key.id] = true;
    }
    for (int32_t id = 0; id < kKeyCount; ++id) {
        const KeyRule rule = keyDefinition(id).rule(section.kind);
        if ((rule == KeyRule::Required || rule == KeyRule::Present) && !present[id])
            return ParseError{kErrorMissingKey, section.line, {header, keyDefinition(id).name}};
    }
    return std::nullopt;
}

}  // namespace

std::optional<ParseError> checkTemplate(const ParseTree& tree) {
    if (auto error = checkValues(tree)) return error;
    if (auto error = checkTemplateSections(tree)) return error;
    for (const ParsedSection& section : tree.sections)
        if (auto error = checkSectionKeys(section)) return error;
    return std::nullopt;
}

}  // namespace kz8::skinui
