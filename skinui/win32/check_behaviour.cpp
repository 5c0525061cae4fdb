#include "skinui/win32/check_behaviour.h"

#include "common/win32/handles.h"
#include "skinui/portable/check_rules.h"
#include "skinui/win32/owner_messages.h"

namespace kz8::skinui {

namespace {

// Check boxes and radio buttons share their four pictures and fall-backs.
template <typename Control>
const std::optional<Dib>& pictureOf(const Control& control) {
    switch (control.state) {
        case kDisabledChecked:
            return control.invalidChecked ? control.invalidChecked : control.checked;
        case kDisabledUnchecked:
            return control.invalidUnchecked ? control.invalidUnchecked : control.unchecked;
        case kChecked: return control.checked;
        default: return control.unchecked;
    }
}

template <typename Control>
void drawControl(PictureTarget& target, const Control& control) {
    if (control.hidden) return;
    if (const auto& picture = pictureOf(control))
        target.draw(*picture, control.rect.left, control.rect.top);
}

template <typename Control>
void redraw(const TemplateWindow& window, const Control& control) {
    if (window.record().hidden || !window.window) return;
    WindowDc dc(window.window);
    DcPictures pictures(dc.get());
    if (dc) drawControl(pictures, control);
}

std::vector<RadioButton*> radiosOf(TemplateWindow& window) {
    std::vector<RadioButton*> radios;
    for (auto& each : window.record().radioButtons) radios.push_back(each.get());
    return radios;
}

void redrawGroup(TemplateWindow& window, int32_t group) {
    for (auto& each : window.record().radioButtons)
        if (each->groupNumber == group) redraw(window, *each);
}

}  // namespace

void drawCheckBox(PictureTarget& target, const CheckBox& box) { drawControl(target, box); }

void drawRadioButton(PictureTarget& target, const RadioButton& radio) {
    drawControl(target, radio);
}

void pressCheckBox(TemplateWindow& window, CheckBox& box, Point pointer) {
    // Hidden boxes take no presses, as hidden buttons do not.
    if (box.hidden || !contains(box.rect, pointer)) return;
    box.state = checkBoxAfterPress(box.state);
    if (!box.subControl) {
        window.notifyOwner(kCheckClickedMessage, reinterpret_cast<WPARAM>(box.name.c_str()),
                           isChecked(box.state) ? 1 : 0);
        if (window.closed()) return;
    }
    redraw(window, box);
}

void pressRadioButton(TemplateWindow& window, RadioButton& radio, Point pointer) {
    if (radio.hidden || isDisabled(radio.state) || !contains(radio.rect, pointer)) return;
    if (radio.state == kChecked) return;
    checkRadioButton(radio, radiosOf(window));
    window.notifyOwner(kRadioCheckedMessage, reinterpret_cast<WPARAM>(radio.name.c_str()),
                       radio.groupNumber);
    if (window.closed()) return;
    redrawGroup(window, radio.groupNumber);
}

void checkDefaultRadioButtons(TemplateWindow& window) {
    for (auto& each : window.record().radioButtons)
        if (each->defaultButton) each->state = kChecked;
}

void setRadioCheck(TemplateWindow& window, RadioButton& radio) {
    if (checkRadioButton(radio, radiosOf(window))) redrawGroup(window, radio.groupNumber);
}

}  // namespace kz8::skinui
