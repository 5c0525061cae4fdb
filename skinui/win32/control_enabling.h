// Enabling and disabling by name, as the EnableWindow command and the
// library's interface do it: an open template by its name first, else a
// control of the current template, kinds searched in a fixed order.
#pragma once

#include <string>

#include "skinui/win32/template_window.h"

namespace kz8::skinui {

// Whether something carried the name.
bool enableNamed(const std::string& name, bool enable);
// The bar, its thumb and both step buttons.
void enableScrollBar(TemplateWindow& window, ScrollBar& bar, bool enable);

}  // namespace kz8::skinui
