// The exports that address templates: creating and closing them, which one
// is current, showing, enabling, and what a name stands for. They search
// every open template, in creation order.
#include "skinui/include/vexil2.h"

#include <optional>

#include "skinui/dll/export_support.h"
#include "skinui/portable/window_rules.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/control_enabling.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_creation.h"

using kz8::Rect;
using namespace kz8::skinui;

// Hosts read the notification numbers from their header; the windows send
// the library's own.
static_assert(vexil2::kTemplateShown == kTemplateShownMessage);
static_assert(vexil2::kScrollSet == kScrollSetMessage);
static_assert(vexil2::kScrollChanged == kScrollChangedMessage);
static_assert(vexil2::kEditChanged == kEditChangedMessage);
static_assert(vexil2::kEditLeft == kEditLeftMessage);
static_assert(vexil2::kListClicked == kListClickedMessage);
static_assert(vexil2::kCheckClicked == kCheckClickedMessage);
static_assert(vexil2::kRadioChecked == kRadioCheckedMessage);
static_assert(vexil2::kComboChosen == kComboChosenMessage);
static_assert(vexil2::kComboChoosing == kComboChoosingMessage);
static_assert(vexil2::kButtonPressed == kButtonPressedMessage);
static_assert(vexil2::kTemplatePressed == kTemplatePressedMessage);
static_assert(vexil2::kCloseAsked == kCloseAskedMessage);
static_assert(vexil2::kNoCurrentTemplate == kNoCurrentTemplateMessage);
static_assert(vexil2::kTemplateDestroyed == kTemplateDestroyedMessage);
static_assert(vexil2::kFocusLost == kFocusLostMessage);

namespace {

// The kinds in the order a name is looked up in a template (thumbs are
// never found).
int controlTypeIn(const Template& record, const std::string& name) {
    if (findControlNamed(record.buttons, name)) return vexil2::kButton;
    if (findControlNamed(record.scrollBars, name)) return vexil2::kScrollBar;
    if (findControlNamed(record.editBoxes, name)) return vexil2::kEditBox;
    if (findControlNamed(record.listBoxes, name)) return vexil2::kListBox;
    if (findControlNamed(record.checkBoxes, name)) return vexil2::kCheckBox;
    if (findControlNamed(record.radioButtons, name)) return vexil2::kRadioButton;
    if (findControlNamed(record.comboBoxes, name)) return vexil2::kComboBox;
    if (findControlNamed(record.imgWindows, name)) return vexil2::kImageWindow;
    return vexil2::kNoControl;
}

bool pointerOverTemplate(const TemplateWindow& window) {
    if (window.record().hidden) return false;
    RECT client{};
    GetClientRect(window.window, &client);
    const Point at = cursorInClient(window.window);
    return contains(Rect{client.left, client.top, client.right, client.bottom}, at);
}

// Nothing when the template holds no control of that name.
std::optional<bool> pointerOverControl(const TemplateWindow& window, const std::string& name) {
    const Template& record = window.record();
    const Point at = cursorInClient(window.window);
    if (const Button* button = findControlNamed(record.buttons, name))
        return hitsButton(*button, at);
    if (const ScrollBar* bar = findControlNamed(record.scrollBars, name))
        return contains(bar->scrollRect, at);
    if (const EditBox* edit = findControlNamed(record.editBoxes, name))
        return contains(edit->editRect, at);
    if (const ListBox* list = findControlNamed(record.listBoxes, name))
        return contains(list->listRect, at);
    if (const CheckBox* box = findControlNamed(record.checkBoxes, name))
        return contains(box->rect, at);
    if (const RadioButton* radio = findControlNamed(record.radioButtons, name))
        return contains(radio->rect, at);
    if (const ImgWindow* image = findControlNamed(record.imgWindows, name))
        return contains(image->rect, at);
    return std::nullopt;
}

}  // namespace

extern "C" {

int __cdecl Vexil_Init(void) { return TemplateLibrary::instance().initialise() ? 1 : 0; }

// The path is copied: a host's text is never written, even to put it in
// upper case.
int __cdecl Vexil_Create(HWND parent, DWORD style, char* path, int x, int y, int placement) {
    if (!path) return 0;
    return openTemplateWindow(parent, style, path, x, y, placement) ? 1 : 0;
}

HWND __cdecl Vexil_CreateCtrl(HWND parent, HWND owner, char* text, int x, int y) {
    return text ? openChildTemplate(parent, owner, text, x, y) : nullptr;
}

int __cdecl Vexil_Close(void) {
    TemplateWindow* window = currentTemplate();
    if (!window) return 0;
    SendMessageA(window->window, WM_CLOSE, 0, 0);
    return 1;
}

// A mark already set stays: the first template asked for closes first.
int __cdecl Vexil_CloseTemplate(const char* templateName) {
    TemplateWindow* window = openTemplateNamed(templateName);
    if (!window) return 0;
    TemplateLibrary& library = TemplateLibrary::instance();
    if (!library.pendingClose()) library.markForClosing(window);
    return 1;
}

int __cdecl Vexil_EnableWindow(const char* name, int enable) {
    return name && enableNamed(name, enable != 0) ? 1 : 0;
}

HWND __cdecl Vexil_GetTemplateHWND(const char* templateName) {
    TemplateWindow* window = openTemplateNamed(templateName);
    return window ? window->window : nullptr;
}

const char* __cdecl Vexil_GetCurrentTemplateName(void) {
    TemplateWindow* window = currentTemplate();
    return window ? window->name() : nullptr;
}

int __cdecl Vexil_ShowTemplateWindow(const char* templateName, int show) {
    TemplateWindow* window = openTemplateNamed(templateName);
    if (!window) return 0;
    window->record().hidden = show ? 0 : 1;
    InvalidateRect(window->window, nullptr, TRUE);
    return 1;
}

int __cdecl Vexil_IsTemplateShow(const char* templateName) {
    TemplateWindow* window = openTemplateNamed(templateName);
    return window && !window->record().hidden ? 1 : 0;
}

int __cdecl Vexil_GetControlType(const char* name) {
    if (!name) return vexil2::kNoControl;
    for (const auto& window : TemplateLibrary::instance().templates()) {
        if (sameControlName(window->record().name, name)) return vexil2::kTemplate;
        const int type = controlTypeIn(window->record(), name);
        if (type != vexil2::kNoControl) return type;
    }
    return vexil2::kNoControl;
}

int __cdecl Vexil_SetActiveTemplate(const char* templateName) {
    TemplateWindow* window = openTemplateNamed(templateName);
    if (!window) return 0;
    TemplateLibrary::instance().makeCurrent(window);
    return 1;
}

int __cdecl Vexil_GetTemplateNumber(void) {
    return int(TemplateLibrary::instance().templates().size());
}

}  // extern "C"

// A template's own name first; else the first template holding a control
// of that name decides.
int __cdecl Vexil_IsMouseOnCtrl(char* name) {
    if (!name) return 0;
    if (TemplateWindow* window = openTemplateNamed(name)) return pointerOverTemplate(*window);
    for (const auto& window : TemplateLibrary::instance().templates())
        if (const auto over = pointerOverControl(*window, name)) return *over ? 1 : 0;
    return 0;
}
