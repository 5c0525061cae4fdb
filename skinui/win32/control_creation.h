// The controls' creation step, run once when a template's window exists and
// before it is shown: masked buttons blended over the background, scroll
// bars reset (each reports its position), default radio buttons checked.
#pragma once

#include "skinui/win32/template_window.h"

namespace kz8::skinui {

void runCreationStep(TemplateWindow& window);

}  // namespace kz8::skinui
