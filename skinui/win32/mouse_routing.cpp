#include "skinui/win32/mouse_routing.h"

#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/check_behaviour.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/popup_list.h"
#include "skinui/win32/scroll_bar_behaviour.h"

namespace kz8::skinui {

namespace {

constexpr int32_t kTemplateDisabled = 0, kTemplateNormal = 1, kTemplateDragged = 2;

bool ignoresMouse(const TemplateWindow& window) {
    return window.record().state == kTemplateDisabled || window.record().hidden;
}

void dragTo(TemplateWindow& window, Point pointer) {
    SetCapture(window.window);
    window.position = draggedPosition(window.position, window.dragAnchor, pointer);
    RECT frame{};
    GetWindowRect(window.window, &frame);
    MoveWindow(window.window, window.position.x, window.position.y, frame.right - frame.left,
               frame.bottom - frame.top, TRUE);
}

// The template's cursor comes back once the pointer has left the edit box
// it was over.
void leaveEditBoxes(TemplateWindow& window, Point pointer) {
    if (!window.pointerOverEdit) return;
    for (const auto& edit : window.record().editBoxes)
        if (contains(edit->editRect, pointer)) return;
    SetCursor(window.templateCursor());
    window.pointerOverEdit = false;
}

bool overAnyButton(const TemplateWindow& window, Point pointer) {
    for (const auto& button : window.record().buttons)
        if (!button->hidden && hitsButton(*button, pointer)) return true;
    return false;
}

}  // namespace

void routeMouseMove(TemplateWindow& window, Point pointer, bool leftHeld) {
    if (ignoresMouse(window)) return;
    if (window.record().state == kTemplateDragged && leftHeld) {
        dragTo(window, pointer);
        return;
    }
    for (auto& button : window.record().buttons) {
        if (!(button->style & kButtonIgnoresMoves) && !belongsToPopupList(window, *button))
            moveOverButton(window, *button, pointer, leftHeld);
        if (window.closed()) return;
    }
    for (auto& bar : window.record().scrollBars) {
        if (!belongsToPopupList(window, *bar)) moveOverScrollBar(window, *bar, pointer);
        if (window.closed()) return;
    }
    leaveEditBoxes(window, pointer);
    for (auto& list : window.record().listBoxes) {
        if (!list->subControl) moveOverListBox(window, *list, pointer);
        if (window.closed()) return;
    }
    // Holding the capture over a button lets it see the pointer leave.
    if (overAnyButton(window, pointer)) {
        SetCapture(window.window);
    } else {
        SetCursor(window.templateCursor());
        if (!window.thumbCapture && GetCapture() == window.window) ReleaseCapture();
    }
}

void routeLeftPress(TemplateWindow& window, Point pointer) {
    window.notifyOwner(kTemplatePressedMessage, MAKELPARAM(pointer.x, pointer.y));
    if (window.closed() || ignoresMouse(window)) return;
    window.focusBeforePress = GetFocus();
    SetFocus(window.window);
    if (window.closed()) return;
    window.pressPoint = pointer;
    if (contains(window.record().moveRect, pointer)) {
        window.record().state = kTemplateDragged;
        window.dragAnchor = pointer;
    }
    window.buttonHeld = true;
    for (size_t i = 0; i < window.record().buttons.size(); ++i) {
        Button& button = *window.record().buttons[i];
        if (belongsToPopupList(window, button)) continue;
        const ButtonReport report = pressButton(window, button, pointer);
        if (window.closed() || report == kButtonTemplateClosed) return;
    }
    Template& record = window.record();
    for (size_t i = 0; i < record.scrollBars.size() && !window.closed(); ++i)
        if (!belongsToPopupList(window, *record.scrollBars[i]))
            pressScrollBar(window, *record.scrollBars[i], pointer);
    for (size_t i = 0; i < record.checkBoxes.size() && !window.closed(); ++i)
        pressCheckBox(window, *record.checkBoxes[i], pointer);
    for (size_t i = 0; i < record.radioButtons.size() && !window.closed(); ++i)
        pressRadioButton(window, *record.radioButtons[i], pointer);
}

void routeLeftRelease(TemplateWindow& window, Point pointer) {
    ReleaseCapture();
    if (window.closed() || ignoresMouse(window)) return;
    if (window.record().state == kTemplateDragged) window.record().state = kTemplateNormal;
    if (window.focusBeforePress && IsWindow(window.focusBeforePress)) {
        SetFocus(window.focusBeforePress);
        if (window.closed()) return;
    }
    window.buttonHeld = false;
    for (size_t i = 0; i < window.record().buttons.size(); ++i) {
        Button& button = *window.record().buttons[i];
        if (belongsToPopupList(window, button)) continue;
        const ButtonReport report = releaseButton(window, button, pointer);
        if (window.closed() || report == kButtonTemplateClosed) return;
        if (report == kButtonClicked) break;
    }
    Template& record = window.record();
    for (size_t i = 0; i < record.scrollBars.size(); ++i) {
        if (belongsToPopupList(window, *record.scrollBars[i])) continue;
        releaseScrollBar(window, *record.scrollBars[i]);
        if (window.closed()) return;
    }
    for (size_t i = 0; i < record.listBoxes.size(); ++i) {
        if (record.listBoxes[i]->subControl) continue;
        releaseOnListBox(window, *record.listBoxes[i], pointer);
        if (window.closed()) return;
    }
    window.pressPoint = kNoPress;
}

}  // namespace kz8::skinui
