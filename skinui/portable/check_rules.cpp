#include "skinui/portable/check_rules.h"

namespace kz8::skinui {

bool isChecked(int32_t state) { return state == kDisabledChecked || state == kChecked; }

bool isDisabled(int32_t state) { return state == kDisabledChecked || state == kDisabledUnchecked; }

int32_t enabledForm(int32_t state) {
    if (state == kDisabledChecked) return kChecked;
    if (state == kDisabledUnchecked) return kUnchecked;
    return state;
}

int32_t disabledForm(int32_t state) {
    if (state == kChecked) return kDisabledChecked;
    if (state == kUnchecked) return kDisabledUnchecked;
    return state;
}

int32_t checkBoxAfterPress(int32_t state) {
    if (state == kChecked) return kUnchecked;
    if (state == kUnchecked) return kChecked;
    return state;
}

bool checkRadioButton(RadioButton& chosen, const std::vector<RadioButton*>& group) {
    bool changed = false;
    const int32_t checkedForm = isDisabled(chosen.state) ? kDisabledChecked : kChecked;
    if (chosen.state != checkedForm) {
        chosen.state = checkedForm;
        changed = true;
    }
    for (RadioButton* other : group) {
        if (other == &chosen || other->groupNumber != chosen.groupNumber) continue;
        if (!isChecked(other->state)) continue;
        other->state = other->state == kChecked ? kUnchecked : kDisabledUnchecked;
        changed = true;
    }
    return changed;
}

}  // namespace kz8::skinui
