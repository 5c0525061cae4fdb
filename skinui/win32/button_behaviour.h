// What a template's buttons do under the mouse: drawing the state's
// picture, the mask-aware hit test, the roll state with its cursor and tip,
// press and release with their reports, and the click.
#pragma once

#include <windows.h>

#include "skinui/portable/template_records.h"
#include "skinui/win32/picture_target.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

// What a button's press or release tells the routing.
enum ButtonReport : int {
    kButtonGoOn = 0,
    kButtonTemplateClosed = 1,  // stop everything: the template is gone
    kButtonClicked = 2,         // the other buttons are not asked
};

bool hitsButton(const Button& button, Point point);
// Where the pointer is now, in the window's client coordinates.
Point cursorInClient(HWND window);
// The state's picture at RECT, clipped to RECT minus CLIPRECT.
void drawButton(PictureTarget& target, const Button& button);
// Redraws one button now, in the template window's own context.
void redrawButton(const TemplateWindow& window, const Button& button);

void moveOverButton(TemplateWindow& window, Button& button, Point pointer, bool leftHeld);
ButtonReport pressButton(TemplateWindow& window, Button& button, Point pointer);
ButtonReport releaseButton(TemplateWindow& window, Button& button, Point pointer);

// WM_COMMAND with ACTION to the owner; kButtonTemplateClosed when the owner
// closed the template while handling it.
ButtonReport clickButton(TemplateWindow& window, const Button& button);

// Hidden flag = not show; its RECT is repainted.
void showButton(TemplateWindow& window, Button& button, bool show);

// A tick of the blink timer and of the repeat timer; false from the repeat
// tick when no repeating button is held any more.
void blinkButtons(TemplateWindow& window);
bool repeatHeldButtons(TemplateWindow& window);

}  // namespace kz8::skinui
