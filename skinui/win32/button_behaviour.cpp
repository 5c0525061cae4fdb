#include "skinui/win32/button_behaviour.h"

#include "common/win32/handles.h"
#include "skinui/portable/mask_blending.h"
#include "skinui/win32/button_click.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/popup_list.h"
#include "skinui/win32/scroll_bar_behaviour.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui {

namespace {

const std::optional<Dib>& pictureOfState(const Button& button) {
    switch (button.state) {
        case kButtonInvalid: return button.invalidState ? button.invalidState : button.regState;
        case kButtonRoll: return button.rollState;
        case kButtonDown: return button.downState;
        default: return button.regState;
    }
}

bool isEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool leftButtonDown() { return GetKeyState(VK_LBUTTON) < 0; }

// Tips only for the active window's templates, child templates included.
bool templateIsActive(HWND window) { return GetActiveWindow() == GetAncestor(window, GA_ROOT); }

void setState(const TemplateWindow& window, Button& button, int32_t state) {
    if (button.state == state) return;
    button.state = state;
    redrawButton(window, button);
}

}  // namespace

Point cursorInClient(HWND window) {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(window, &at);
    return Point{at.x, at.y};
}

bool hitsButton(const Button& button, Point point) {
    return hitsMaskedButton(button.rect, button.mask, point.x, point.y);
}

void drawButton(PictureTarget& target, const Button& button) {
    if (button.hidden) return;
    const std::optional<Dib>& picture = pictureOfState(button);
    if (!picture) return;
    const Rect& r = button.rect;
    CanvasClip clip;
    if (!isEmpty(button.clipRect)) {
        clip.keepInside = r;
        clip.leaveOut = button.clipRect;
    }
    target.draw(*picture, r.left, r.top, clip);
}

void redrawButton(const TemplateWindow& window, const Button& button) {
    if (window.record().hidden || !window.window) return;
    if (PopupList* popup = window.openPopupDrawing(button)) {
        popup->redraw();
        return;
    }
    WindowDc dc(window.window);
    DcPictures pictures(dc.get());
    if (dc) drawButton(pictures, button);
}

void moveOverButton(TemplateWindow& window, Button& button, Point pointer, bool leftHeld) {
    if (button.state == kButtonInvalid || button.hidden) return;
    const int32_t before = button.state;
    const bool hit = hitsButton(button, pointer);
    int32_t after = kButtonNormal;
    if (hit) {
        after = leftHeld && hitsButton(button, window.pressPoint) ? kButtonDown : kButtonRoll;
        SetCursor(window.buttonCursor());
    } else {
        window.hideTip(&button);
    }
    setState(window, button, after);
    if (button.tipStyle && hit && !leftHeld && before == kButtonNormal && !window.showsTip() &&
        !button.tipContents.empty() && templateIsActive(window.window)) {
        const Rect& r = button.rect;
        window.showTip(button, Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
}

namespace {

// A group button stays down once pressed and releases the others of its
// group; it clicks on the press and does nothing on the release.
ButtonReport pressGroupButton(TemplateWindow& window, GroupButton& button, Point pointer) {
    const Rect& r = button.rect;
    const bool inRect =
        pointer.x >= r.left && pointer.x < r.right && pointer.y >= r.top && pointer.y < r.bottom;
    if (button.state == kButtonInvalid || button.hidden || !inRect) return kButtonGoOn;
    setState(window, button, kButtonDown);
    if (!button.subControl) {
        if (clickButton(window, button) == kButtonTemplateClosed) return kButtonTemplateClosed;
        if (runButtonCommands(window, button) || window.closed()) return kButtonTemplateClosed;
    }
    for (auto& each : window.record().buttons) {
        auto* other = dynamic_cast<GroupButton*>(each.get());
        if (other && other != &button && other->groupNumber == button.groupNumber)
            setState(window, *other, kButtonNormal);
    }
    return kButtonGoOn;
}

}  // namespace

ButtonReport pressButton(TemplateWindow& window, Button& button, Point pointer) {
    if (auto* group = dynamic_cast<GroupButton*>(&button))
        return pressGroupButton(window, *group, pointer);
    if (button.state == kButtonInvalid || button.hidden) return kButtonGoOn;
    if (!hitsButton(button, pointer)) {
        setState(window, button, kButtonNormal);
        return kButtonGoOn;
    }
    button.state = kButtonDown;
    if (!button.subControl) redrawButton(window, button);
    window.hideTip(&button);
    window.notifyOwner(kButtonPressedMessage, reinterpret_cast<WPARAM>(button.name.c_str()), 0);
    if (window.closed()) return kButtonTemplateClosed;
    if (button.style & kButtonRepeats) {
        SetTimer(window.window, kRepeatTimer, kRepeatMilliseconds, nullptr);
    } else if (!button.subControl) {
        moveOverButton(window, button, cursorInClient(window.window), leftButtonDown());
    }
    return kButtonGoOn;
}

ButtonReport releaseButton(TemplateWindow& window, Button& button, Point pointer) {
    if (dynamic_cast<GroupButton*>(&button)) return kButtonGoOn;
    if (button.hidden) return kButtonGoOn;
    if (button.state == kButtonInvalid) {
        // Only a click on the disabled button itself, not every release.
        if (hitsButton(button, pointer) && hitsButton(button, window.pressPoint))
            playTemplateSound(window, button.invalidSound);
        return kButtonGoOn;
    }
    const bool hit = hitsButton(button, pointer);
    if (hit) {
        const bool pressedHere = hitsButton(button, window.pressPoint);
        setState(window, button, kButtonRoll);
        if (!pressedHere) return kButtonGoOn;
    } else {
        setState(window, button, kButtonNormal);
        return kButtonGoOn;
    }
    // A part of another control: it steps its scroll bar (a combo's toggle
    // opens its list) instead of telling the owner.
    if (button.subControl) {
        if (!stepScrollBarOf(window, button)) openComboOf(window, button);
        return window.closed() ? kButtonTemplateClosed : kButtonGoOn;
    }
    playTemplateSound(window, button.downSound);
    if (clickButton(window, button) == kButtonTemplateClosed) return kButtonTemplateClosed;
    if (!(button.style & kButtonRepeats))
        moveOverButton(window, button, cursorInClient(window.window), leftButtonDown());
    redrawButton(window, button);
    openButtonLink(window, button);
    if (window.closed() || runButtonCommands(window, button)) return kButtonTemplateClosed;
    return kButtonClicked;
}

ButtonReport clickButton(TemplateWindow& window, const Button& button) {
    window.notifyOwner(WM_COMMAND, WPARAM(button.action), 0);
    return window.closed() ? kButtonTemplateClosed : kButtonGoOn;
}

void showButton(TemplateWindow& window, Button& button, bool show) {
    button.hidden = show ? 0 : 1;
    if (!show) window.hideTip(&button);
    const RECT area{button.rect.left, button.rect.top, button.rect.right, button.rect.bottom};
    InvalidateRect(window.window, &area, FALSE);
}

void blinkButtons(TemplateWindow& window) {
    for (auto& button : window.record().buttons) {
        // A disabled button stays disabled: blinking must not enable it.
        if (!(button->style & kButtonBlinks) || button->state == kButtonInvalid) continue;
        button->state = button->state == kButtonNormal ? kButtonRoll : kButtonNormal;
        redrawButton(window, *button);
    }
}

bool repeatHeldButtons(TemplateWindow& window) {
    bool anyHeld = false;
    auto& buttons = window.record().buttons;
    for (size_t i = 0; i < buttons.size(); ++i) {
        Button& button = *buttons[i];
        if (!(button.style & kButtonRepeats) || button.state != kButtonDown) continue;
        anyHeld = true;
        if (clickButton(window, button) == kButtonTemplateClosed) return false;
    }
    return anyHeld;
}

}  // namespace kz8::skinui
