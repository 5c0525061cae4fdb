// A cursor loaded from a .cur or .ani file, owned by the template that
// names it and destroyed with it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skinui/portable/template_resources.h"

namespace kz8::skinui {

// Nothing when the file cannot be loaded: the template keeps the arrow.
std::unique_ptr<CursorResource> loadFileCursor(const std::string& fileName);

// The cursor to set for a template's cursor field: the file's, or the
// standard arrow for none.
HCURSOR cursorHandleOf(const CursorResource* cursor);

}  // namespace kz8::skinui
