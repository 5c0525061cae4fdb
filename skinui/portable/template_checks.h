// The checks a parsed template passes before anything is built, in their
// order: every value first, then the [TEMPLATE] rules, then each section's
// keys. The first failure is the answer.
#pragma once

#include <optional>

#include "skinui/portable/parse_error.h"
#include "skinui/portable/template_parser.h"

namespace kz8::skinui {

std::optional<ParseError> checkTemplate(const ParseTree& tree);

}  // namespace kz8::skinui
