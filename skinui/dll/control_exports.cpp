// The exports that drive one control of the current template by its name:
// scroll bars, edit boxes, check boxes, radio buttons, combo boxes, image
// windows and buttons. List boxes have their own file.
#include "skinui/include/vexil2.h"

#include "skinui/dll/export_support.h"
#include "skinui/portable/check_rules.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/check_behaviour.h"
#include "skinui/win32/control_enabling.h"
#include "skinui/win32/edit_window.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/scroll_bar_behaviour.h"

using kz8::Rect;
using namespace kz8::skinui;

namespace {

constexpr size_t kTipTextLimit = 255;

EditWindow* currentEditWindow(const char* name) {
    TemplateWindow* window = currentTemplate();
    return window && name ? window->editWindowOf(name) : nullptr;
}

void redrawArea(const TemplateWindow& window, const Rect& area) {
    const RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window.window, &r, FALSE);
    UpdateWindow(window.window);
}

}  // namespace

extern "C" {

int __cdecl Vexil_SetScrollRange(const char* name, int minimum, int maximum) {
    if (minimum >= maximum) return 0;
    auto bar = currentControl(&Template::scrollBars, name);
    if (!bar) return 0;
    setScrollRange(*bar.window, *bar.control, minimum, maximum);
    return 1;
}

// Redrawn but not announced; a position outside the range changes nothing
// and still succeeds.
int __cdecl Vexil_SetScrollPos(const char* name, int position) {
    auto bar = currentControl(&Template::scrollBars, name);
    if (!bar) return 0;
    setScrollPosition(*bar.window, *bar.control, position, false, true);
    return 1;
}

int __cdecl Vexil_EnableScrollBar(const char* name, int enable) {
    auto bar = currentControl(&Template::scrollBars, name);
    if (!bar) return 0;
    enableScrollBar(*bar.window, *bar.control, enable != 0);
    UpdateWindow(bar.window->window);
    return 1;
}

int __cdecl Vexil_ScrollBar_GetInfo(const char* name, int* minimum, int* maximum, int* position) {
    auto bar = currentControl(&Template::scrollBars, name);
    if (!bar) return 0;
    if (minimum) *minimum = bar->minimum;
    if (maximum) *maximum = bar->maximum;
    if (position) *position = bar->position;
    return 1;
}

int __cdecl Vexil_GetEditText(const char* name, char* buffer, int size) {
    EditWindow* edit = currentEditWindow(name);
    if (!edit || !buffer || size < 1) return 0;
    copyText(edit->readText(), buffer, size_t(size));
    return 1;
}

int __cdecl Vexil_SetEditText(const char* name, const char* text) {
    EditWindow* edit = currentEditWindow(name);
    if (!edit || !text) return 0;
    edit->setText(text);
    return 1;
}

int __cdecl Vexil_EditBox_SetStyle(const char* name, int style) {
    EditWindow* edit = currentEditWindow(name);
    return edit && edit->setStyle(uint32_t(style)) ? 1 : 0;
}

int __cdecl Vexil_EditBox_SetFont(const char* name, LOGFONTA font) {
    EditWindow* edit = currentEditWindow(name);
    return edit && edit->setFont(font) ? 1 : 0;
}

int __cdecl Vexil_EditBox_GetStyle(const char* name, int* style) {
    EditWindow* edit = currentEditWindow(name);
    if (!edit || !style) return 0;
    *style = int(GetWindowLongA(edit->window(), GWL_STYLE));
    return *style != 0 ? 1 : 0;
}

// Checked or unchecked in the enabled form, also from a disabled state.
int __cdecl Vexil_CheckBox_SetCheck(const char* name, unsigned check) {
    auto box = currentControl(&Template::checkBoxes, name);
    if (!box) return 0;
    box->state = check ? kChecked : kUnchecked;
    redrawArea(*box.window, box->rect);
    return 1;
}

int __cdecl Vexil_CheckBox_GetCheck(const char* name) {
    auto box = currentControl(&Template::checkBoxes, name);
    return box && isChecked(box->state) ? 1 : 0;
}

int __cdecl Vexil_RadioButton_SetCheck(const char* name) {
    auto radio = currentControl(&Template::radioButtons, name);
    if (!radio) return 0;
    setRadioCheck(*radio.window, *radio.control);
    return 1;
}

int __cdecl Vexil_RadioButton_GetCheck(int group, char* name) {
    TemplateWindow* window = currentTemplate();
    if (!window || !name) return 0;
    for (const auto& radio : window->record().radioButtons) {
        if (radio->groupNumber != group || !isChecked(radio->state)) continue;
        copyText(radio->name, name, vexil2::kNameBufferBytes);
        return 1;
    }
    return 0;
}

int __cdecl Vexil_RadioButton_GetGroupNumber(const char* name) {
    auto radio = currentControl(&Template::radioButtons, name);
    return radio ? radio->groupNumber : -1;
}

int __cdecl Vexil_GetImgWndRect(const char* name, RECT* rect) {
    auto image = currentControl(&Template::imgWindows, name);
    if (!image || !rect) return 0;
    *rect = RECT{image->rect.left, image->rect.top, image->rect.right, image->rect.bottom};
    return 1;
}

int __cdecl Vexil_ComboBox_SetText(const char* name, const char* text) {
    auto combo = currentControl(&Template::comboBoxes, name);
    if (!combo || !text) return 0;
    setComboText(*combo.window, *combo.control, text);
    return 1;
}

int __cdecl Vexil_ComboBox_GetText(const char* name, char* text) {
    auto combo = currentControl(&Template::comboBoxes, name);
    if (!combo || !text) return 0;
    copyText(comboText(*combo.window, *combo.control), text, vexil2::kComboTextBufferBytes);
    return 1;
}

int __cdecl Vexil_Button_Show(const char* name, int show) {
    auto button = currentControl(&Template::buttons, name);
    if (!button) return 0;
    showButton(*button.window, *button.control, show != 0);
    return 1;
}

int __cdecl Vexil_Button_SetTips(const char* name, const char* text) {
    auto button = currentControl(&Template::buttons, name);
    if (!button || !text) return 0;
    const size_t length = std::strlen(text);
    if (length == 0 || length > kTipTextLimit) return 0;
    button->tipContents = text;
    button->tipStyle = 1;
    return 1;
}

}  // extern "C"

HWND __cdecl Vexil_GetEditHwnd(char* name) {
    EditWindow* edit = currentEditWindow(name);
    return edit ? edit->window() : nullptr;
}
