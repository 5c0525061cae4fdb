#include "skinui/win32/control_creation.h"

#include "skinui/portable/mask_blending.h"
#include "skinui/win32/check_behaviour.h"
#include "skinui/win32/edit_window.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/scroll_bar_behaviour.h"

namespace kz8::skinui {

namespace {

void blendButton(const Dib& background, Button& button) {
    if (!button.mask) return;
    for (std::optional<Dib>* state :
         {&button.regState, &button.rollState, &button.downState, &button.invalidState}) {
        if (!*state) continue;
        if (auto blended = blendThroughMask(background, button.rect, **state, *button.mask))
            *state = std::move(blended);
    }
}

}  // namespace

void runCreationStep(TemplateWindow& window) {
    Template& record = window.record();
    if (record.background)
        for (auto& button : record.buttons) blendButton(*record.background, *button);
    for (size_t i = 0; i < record.scrollBars.size() && !window.closed(); ++i)
        resetScrollBar(window, *record.scrollBars[i]);
    for (size_t i = 0; i < record.editBoxes.size() && !window.closed(); ++i)
        if (auto edit = EditWindow::create(window, *record.editBoxes[i]))
            window.addEditWindow(std::move(edit));
    for (size_t i = 0; i < record.listBoxes.size() && !window.closed(); ++i)
        layOutListBox(window, *record.listBoxes[i]);
    if (!window.closed()) checkDefaultRadioButtons(window);
}

}  // namespace kz8::skinui
