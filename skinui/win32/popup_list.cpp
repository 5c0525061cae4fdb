#include "skinui/win32/popup_list.h"

#include <windowsx.h>

#include "common/win32/handles.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/control_names.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/scroll_bar_behaviour.h"
#include "skinui/win32/template_classes.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui {

namespace {

ComboBox* comboOfList(TemplateWindow& window, const ListBox& list) {
    for (auto& combo : window.record().comboBoxes)
        if (sameControlName(combo->popupList, list.name)) return combo.get();
    return nullptr;
}

}  // namespace

PopupList::PopupList(TemplateWindow& owner, ListBox& list) : owner_(owner), list_(list) {}

std::unique_ptr<PopupList> PopupList::create(TemplateWindow& owner, ListBox& list) {
    std::unique_ptr<PopupList> popup(new PopupList(owner, list));
    const Rect& r = list.backRect;
    popup->window_ = CreateWindowExA(0, kPopupListClass, "", WS_POPUP, r.left, r.top, r.width(),
                                     r.height(), owner.window, nullptr,
                                     TemplateLibrary::instance().moduleInstance(), popup.get());
    if (!popup->window_) return nullptr;
    return popup;
}

PopupList::~PopupList() {
    if (!window_ || !IsWindow(window_)) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void PopupList::open() {
    ScrollBar* bar = listScrollBar(owner_, list_);
    list_.hidden = 0;
    focusBefore_ = GetFocus();
    RECT frame{};
    GetWindowRect(owner_.window, &frame);
    const Rect& r = list_.backRect;
    if (bar) {
        bar->hidden = 0;
        bar->savedPosition = bar->position;
        for (const std::string* step : {&bar->addButton, &bar->minusButton})
            if (Button* button = findControlNamed(owner_.record().buttons, *step))
                button->hidden = 0;
    }
    SetWindowPos(window_, HWND_TOP, frame.left + r.left, frame.top + r.top, r.width(), r.height(),
                 SWP_SHOWWINDOW);
    SetFocus(window_);
    UpdateWindow(window_);
}

void PopupList::redraw() const {
    if (!isOpen()) return;
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void PopupList::close(bool restoreBar) {
    closing_ = true;
    if (GetCapture() == window_) ReleaseCapture();
    ShowWindow(window_, SW_HIDE);
    ScrollBar* bar = listScrollBar(owner_, list_);
    if (restoreBar && bar) setScrollPosition(owner_, *bar, bar->savedPosition, false, true);
    if (focusBefore_ && IsWindow(focusBefore_)) SetFocus(focusBefore_);
    closing_ = false;
}

void PopupList::paint() {
    PaintDc paint(window_);
    if (!paint.get()) return;
    if (GetCapture() != window_) SetCapture(window_);
    // Everything is drawn in template coordinates, BACKRECT's corner at the
    // window's origin. Wine's window surfaces track what a paint changed in
    // untransformed coordinates, so the drawing is done in a memory context
    // and copied out at (0, 0).
    const Rect& r = list_.backRect;
    CreatedDc memory(CreateCompatibleDC(paint.get()));
    Bitmap canvas(CreateCompatibleBitmap(paint.get(), r.width(), r.height()));
    if (!memory || !canvas) return;
    SelectionGuard selected(memory.get(), canvas.get());
    SetWindowOrgEx(memory.get(), r.left, r.top, nullptr);
    DcPictures pictures(memory.get());
    if (list_.backgroundImage) pictures.draw(*list_.backgroundImage, r.left, r.top);
    drawListLines(memory.get(), owner_, list_);
    if (ScrollBar* bar = listScrollBar(owner_, list_)) {
        drawScrollBar(pictures, *bar);
        for (const std::string* step : {&bar->addButton, &bar->minusButton})
            if (Button* button = findControlNamed(owner_.record().buttons, *step))
                drawButton(pictures, *button);
    }
    SetWindowOrgEx(memory.get(), 0, 0, nullptr);
    BitBlt(paint.get(), 0, 0, r.width(), r.height(), memory.get(), 0, 0, SRCCOPY);
}

Point PopupList::toTemplate(LPARAM lParam) const {
    return Point{GET_X_LPARAM(lParam) + list_.backRect.left,
                 GET_Y_LPARAM(lParam) + list_.backRect.top};
}

bool PopupList::onBarOrItsButtons(Point at) const {
    ScrollBar* bar = listScrollBar(owner_, list_);
    if (!bar) return false;
    if (contains(bar->scrollRect, at) || (bar->thumb && contains(bar->thumb->thumbRect, at)))
        return true;
    for (const std::string* step : {&bar->addButton, &bar->minusButton})
        if (const Button* button = findControlNamed(owner_.record().buttons, *step);
            button && hitsButton(*button, at))
            return true;
    return false;
}

void PopupList::onMove(Point at, bool leftHeld) {
    moveOverListBox(owner_, list_, at);
    ScrollBar* bar = listScrollBar(owner_, list_);
    if (!bar || owner_.closed()) return;
    moveOverScrollBar(owner_, *bar, at);
    bool overStep = false;
    for (const std::string* step : {&bar->addButton, &bar->minusButton})
        if (Button* button = findControlNamed(owner_.record().buttons, *step);
            button && !owner_.closed()) {
            moveOverButton(owner_, *button, at, leftHeld);
            overStep = overStep || hitsButton(*button, at);
        }
    if (!overStep) SetCursor(owner_.templateCursor());
}

void PopupList::onPress(Point at) {
    owner_.pressPoint = at;
    pressOnBar_ = onBarOrItsButtons(at);
    ScrollBar* bar = listScrollBar(owner_, list_);
    if (!bar) return;
    pressScrollBar(owner_, *bar, at);
    // The popup, not the template, holds the capture for its bar's thumb.
    if (owner_.thumbCapture) {
        owner_.thumbCapture = false;
        SetCapture(window_);
    }
    for (const std::string* step : {&bar->addButton, &bar->minusButton})
        if (Button* button = findControlNamed(owner_.record().buttons, *step);
            button && !owner_.closed())
            pressButton(owner_, *button, at);
}

void PopupList::onRelease(Point at) {
    const bool pressedOnBar = pressOnBar_;
    pressOnBar_ = false;
    if (contains(list_.listRect, at)) {
        const auto index =
            ListGeometry{list_.listRect.top, list_.listRect.bottom, list_.lineHeight}.itemAt(
                at.y, size_t(std::max(list_.topLine, 0)), list_.items.count());
        if (list_.items.empty())
            close(true);
        else if (index)
            choose(*index);
    } else if (!pressedOnBar && !onBarOrItsButtons(at)) {
        close(true);
    }
    ScrollBar* bar = listScrollBar(owner_, list_);
    if (!bar || owner_.closed()) return;
    releaseScrollBar(owner_, *bar);
    if (isOpen() && GetCapture() != window_) SetCapture(window_);
    for (const std::string* step : {&bar->addButton, &bar->minusButton})
        if (Button* button = findControlNamed(owner_.record().buttons, *step);
            button && !owner_.closed())
            releaseButton(owner_, *button, at);
}

void PopupList::choose(size_t index) {
    const bool wasSelected = list_.items.at(index).selected != 0;
    list_.items.click(index, ClickKeys::Plain, list_.multiSelect != 0, true);
    close(false);
    ComboBox* combo = comboOfList(owner_, list_);
    if (!combo) return;
    const std::string text = list_.items.at(index).text;
    const auto name = reinterpret_cast<WPARAM>(combo->name.c_str());
    const auto chosen = reinterpret_cast<LPARAM>(list_.items.at(index).text.c_str());
    if (!wasSelected) {
        owner_.notifyOwner(kComboChoosingMessage, name, chosen);
        if (owner_.closed()) return;
    }
    if (EditWindow* edit = owner_.editWindowOf(combo->singleLineEdit)) edit->setText(text);
    if (!wasSelected) {
        owner_.notifyOwner(kComboChosenMessage, name, chosen);
        if (owner_.closed()) return;
    }
    if (Button* toggle = findControlNamed(owner_.record().buttons, combo->toggleButton))
        moveOverButton(owner_, *toggle, cursorInClient(owner_.window), GetKeyState(VK_LBUTTON) < 0);
}

LRESULT PopupList::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: paint(); return 0;
        case WM_MOUSEMOVE: onMove(toTemplate(lParam), (wParam & MK_LBUTTON) != 0); return 0;
        case WM_LBUTTONDOWN: onPress(toTemplate(lParam)); return 0;
        case WM_LBUTTONUP: onRelease(toTemplate(lParam)); return 0;
        case WM_KILLFOCUS:
            // Another window took the focus: closed, nothing chosen.
            if (!closing_ && isOpen()) close(true);
            return 0;
        default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK PopupList::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        static_cast<PopupList*>(created)->window_ = window;
    }
    auto* popup = reinterpret_cast<PopupList*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!popup) return DefWindowProcA(window, message, wParam, lParam);
    HandlerScope alive(popup->owner_);
    return popup->handle(message, wParam, lParam);
}

bool PopupList::draws(const ControlRecord& control) const {
    if (&list_ == &control) return true;
    const ScrollBar* bar = listScrollBar(owner_, list_);
    return bar && (bar == &control || sameControlName(bar->addButton, control.name) ||
                   sameControlName(bar->minusButton, control.name));
}

bool belongsToPopupList(const TemplateWindow& window, const ControlRecord& control) {
    for (const auto& popup : window.popupLists())
        if (popup->draws(control)) return true;
    return false;
}

bool openComboOf(TemplateWindow& window, const Button& toggle) {
    for (auto& combo : window.record().comboBoxes) {
        if (!sameControlName(combo->toggleButton, toggle.name)) continue;
        for (const auto& popup : window.popupLists())
            if (sameControlName(popup->list().name, combo->popupList)) {
                popup->open();
                return true;
            }
    }
    return false;
}

}  // namespace kz8::skinui
