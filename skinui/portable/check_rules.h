// The four states that check boxes and radio buttons share, and what a
// press, enabling, disabling and a check set from the interface make of them.
#pragma once

#include <cstdint>
#include <vector>

#include "skinui/portable/template_records.h"

namespace kz8::skinui {

bool isChecked(int32_t state);   // checked, enabled or not
bool isDisabled(int32_t state);  // either disabled form

int32_t enabledForm(int32_t state);   // 0 -> 2, 1 -> 3
int32_t disabledForm(int32_t state);  // 2 -> 0, 3 -> 1

// A press on an enabled box toggles it; a disabled one keeps its state.
int32_t checkBoxAfterPress(int32_t state);

// Checking one radio button of a group: it takes the checked form of its own
// state (so a disabled one stays disabled) and every other checked button of
// its group takes its unchecked form. Returns whether anything changed.
bool checkRadioButton(RadioButton& chosen, const std::vector<RadioButton*>& group);

}  // namespace kz8::skinui
