// The template window's mouse, in its client coordinates: dragging, the
// controls offered each move, press and release in their order, capture
// and the template's cursor. Every routine stops as soon as a notification
// closed the template.
#pragma once

#include "skinui/win32/template_window.h"

namespace kz8::skinui {

void routeMouseMove(TemplateWindow& window, Point pointer, bool leftHeld);
void routeLeftPress(TemplateWindow& window, Point pointer);
void routeLeftRelease(TemplateWindow& window, Point pointer);

}  // namespace kz8::skinui
