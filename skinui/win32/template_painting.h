// A template window's paint: the background at the origin, then its
// controls in their drawing order. A hidden template draws nothing but
// still validates its window, or WM_PAINT would come back for ever.
#pragma once

#include "skinui/win32/template_window.h"

namespace kz8::skinui {

void paintTemplate(TemplateWindow& window);

}  // namespace kz8::skinui
