#include "skinui/win32/control_enabling.h"

#include <windows.h>

#include "skinui/portable/check_rules.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/control_names.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui {

namespace {

void enableButton(TemplateWindow& window, Button& button, bool enable) {
    button.previousState = button.state;
    button.state = enable ? kButtonNormal : kButtonInvalid;
    redrawButton(window, button);
}

void invalidate(const TemplateWindow& window, const Rect& area) {
    const RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window.window, &r, FALSE);
}

}  // namespace

void enableScrollBar(TemplateWindow& window, ScrollBar& bar, bool enable) {
    const int32_t state = enable ? 1 : 0;
    bar.state = state;
    if (bar.thumb) bar.thumb->state = state;
    for (const std::string* step : {&bar.addButton, &bar.minusButton})
        if (Button* button = findControlNamed(window.record().buttons, *step))
            enableButton(window, *button, enable);
    invalidate(window, bar.scrollRect);
    if (bar.thumb) invalidate(window, bar.thumb->thumbRect);
}

namespace {

template <typename Control>
void enableCheckable(TemplateWindow& window, Control& control, bool enable) {
    control.state = enable ? enabledForm(control.state) : disabledForm(control.state);
    invalidate(window, control.rect);
}

bool enableControl(TemplateWindow& window, const std::string& name, bool enable) {
    Template& record = window.record();
    if (Button* button = findControlNamed(record.buttons, name)) {
        enableButton(window, *button, enable);
    } else if (ScrollBar* bar = findControlNamed(record.scrollBars, name)) {
        enableScrollBar(window, *bar, enable);
    } else if (EditBox* edit = findControlNamed(record.editBoxes, name)) {
        if (EditWindow* editWindow = window.editWindowOf(edit->name))
            editWindow->enable(enable);
        else
            edit->state = enable ? 1 : 0;
    } else if (ListBox* list = findControlNamed(record.listBoxes, name)) {
        list->state = enable ? 1 : 0;
        if (ScrollBar* listBar = findControlNamed(record.scrollBars, list->scrollVertical))
            enableScrollBar(window, *listBar, enable);
    } else if (CheckBox* box = findControlNamed(record.checkBoxes, name)) {
        enableCheckable(window, *box, enable);
    } else if (RadioButton* radio = findControlNamed(record.radioButtons, name)) {
        enableCheckable(window, *radio, enable);
    } else if (ComboBox* combo = findControlNamed(record.comboBoxes, name)) {
        for (const std::string* part :
             {&combo->singleLineEdit, &combo->toggleButton, &combo->popupList})
            if (!part->empty()) enableControl(window, *part, enable);
    } else {
        return false;
    }
    UpdateWindow(window.window);
    return true;
}

}  // namespace

bool enableNamed(const std::string& name, bool enable) {
    TemplateLibrary& library = TemplateLibrary::instance();
    if (TemplateWindow* named = library.findByName(name)) {
        named->record().state = enable ? 1 : 0;
        return true;
    }
    TemplateWindow* current = library.current();
    return current && enableControl(*current, name, enable);
}

}  // namespace kz8::skinui
