// What a template's check boxes and radio buttons do: the picture of their
// state at RECT, a press that toggles or checks with its notice, the default
// radio check of the creation step and enabling and disabling.
#pragma once

#include <windows.h>

#include "skinui/portable/template_records.h"
#include "skinui/win32/picture_target.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

void drawCheckBox(PictureTarget& target, const CheckBox& box);
void drawRadioButton(PictureTarget& target, const RadioButton& radio);

void pressCheckBox(TemplateWindow& window, CheckBox& box, Point pointer);
void pressRadioButton(TemplateWindow& window, RadioButton& radio, Point pointer);

// The creation step: DEFAULTBUTTON checks a radio button.
void checkDefaultRadioButtons(TemplateWindow& window);

// A check set from the interface: the group follows, no notice.
void setRadioCheck(TemplateWindow& window, RadioButton& radio);

}  // namespace kz8::skinui
