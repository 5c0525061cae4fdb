// What a click on a button sets off after its WM_COMMAND: its sound, the
// template its LINK names and its commands.
#pragma once

#include <string>

#include "skinui/portable/template_records.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

// Played synchronously; looked up in the template's folder first, then as
// written. An empty name plays nothing.
void playTemplateSound(const TemplateWindow& window, const std::string& fileName);

// The LINK's template, opened with the same owner and style at the current
// template's place.
void openButtonLink(const TemplateWindow& window, const Button& button);

// The commands in their order; true when one closed the button's own
// template (the run stops there).
bool runButtonCommands(TemplateWindow& window, const Button& button);

}  // namespace kz8::skinui
