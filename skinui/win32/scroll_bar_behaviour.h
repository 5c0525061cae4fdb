// What a template's scroll bars do: drawing track and thumb, the reset of
// the creation step, setting positions and ranges with their notices, the
// thumb dragged within its enlarged track, track clicks that jump, and the
// step buttons that name the bar. Lists that a bar scrolls join later.
#pragma once

#include <windows.h>

#include "skinui/portable/template_records.h"
#include "skinui/win32/picture_target.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

void drawScrollBar(PictureTarget& target, const ScrollBar& bar);

// Position = minimum, thumb placed, then WM_USER+2011; nothing drawn yet.
void resetScrollBar(TemplateWindow& window, ScrollBar& bar);

// A position outside the range is ignored. refresh redraws the bar;
// announce then sends WM_USER+2010.
void setScrollPosition(TemplateWindow& window, ScrollBar& bar, int32_t position, bool announce,
                       bool refresh);
// Ignored unless minimum < maximum; a position pulled inside is redrawn
// and reported with WM_USER+2011.
void setScrollRange(TemplateWindow& window, ScrollBar& bar, int32_t minimum, int32_t maximum);

void pressScrollBar(TemplateWindow& window, ScrollBar& bar, Point pointer);
void moveOverScrollBar(TemplateWindow& window, ScrollBar& bar, Point pointer);
void releaseScrollBar(TemplateWindow& window, ScrollBar& bar);

// Hidden flag = not show, with both step buttons; its area is repainted.
void showScrollBar(TemplateWindow& window, ScrollBar& bar, bool show);

// A SUBCONTROL button's click: the bar that names it as its + or - button
// steps by one. Whether a bar took it.
bool stepScrollBarOf(TemplateWindow& window, const Button& button);

}  // namespace kz8::skinui
