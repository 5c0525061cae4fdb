#include "skinui/win32/edit_window.h"

#include "skinui/portable/edit_style.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_library.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

namespace {

constexpr size_t kEditTextBytes = 10240;
constexpr WPARAM kTab = '\t', kBackspace = '\b', kReturn = '\r';
constexpr WPARAM kFirstPrintable = 32;

bool changesText(UINT message) {
    return message == WM_CUT || message == WM_PASTE || message == WM_CLEAR || message == WM_UNDO;
}

}  // namespace

EditWindow::EditWindow(TemplateWindow& owner, EditBox& record) : owner_(owner), record_(record) {}

std::unique_ptr<EditWindow> EditWindow::create(TemplateWindow& owner, EditBox& record) {
    std::unique_ptr<EditWindow> edit(new EditWindow(owner, record));
    const Rect& r = record.editRect;
    edit->window_ = CreateWindowExA(0, "edit", "", WS_CHILD | editStyleOf(record), r.left, r.top,
                                    r.width(), r.height(), owner.window, nullptr,
                                    TemplateLibrary::instance().moduleInstance(), nullptr);
    if (!edit->window_) return nullptr;
    edit->brush_ = Brush(CreateSolidBrush(COLORREF(record.backColour)));
    SetWindowLongPtrA(edit->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(edit.get()));
    edit->originalProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        edit->window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditWindow::procedure)));
    ShowWindow(edit->window_, SW_SHOW);
    return edit;
}

EditWindow::~EditWindow() {
    if (!window_ || !IsWindow(window_)) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProcedure_));
    DestroyWindow(window_);
}

HBRUSH EditWindow::colour(HDC dc) const {
    SetBkColor(dc, COLORREF(record_.backColour));
    SetTextColor(dc, COLORREF(record_.textColour));
    return brush_.get();
}

const std::string& EditWindow::readText() {
    char buffer[kEditTextBytes] = {};
    GetWindowTextA(window_, buffer, int(sizeof buffer));
    text_ = buffer;
    return text_;
}

void EditWindow::setText(const std::string& text) { SetWindowTextA(window_, text.c_str()); }

bool EditWindow::setStyle(uint32_t style) {
    const EditStyleChange change = editStyleChange(style);
    SetLastError(0);
    if (!SetWindowLongA(window_, GWL_STYLE, LONG(WS_CHILD | WS_VISIBLE | style)) &&
        GetLastError() != 0)
        return false;
    // The edit control takes read-only and the password character only
    // through its messages once it exists.
    SendMessageA(window_, EM_SETREADONLY, change.readOnly, 0);
    SendMessageA(window_, EM_SETPASSWORDCHAR, change.password ? '*' : 0, 0);
    record_.alignStyle = change.alignStyle;
    record_.readOnly = change.readOnly;
    record_.multiLines = change.multiLines;
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

bool EditWindow::setFont(const LOGFONTA& font) {
    Font made(CreateFontIndirectA(&font));
    if (!made) return false;
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
    font_ = std::move(made);
    logFont_ = font;
    const Rect& r = record_.editRect;
    const RECT area{r.left, r.top, r.right, r.bottom};
    InvalidateRect(owner_.window, &area, FALSE);
    return true;
}

void EditWindow::enable(bool on) {
    EnableWindow(window_, on);
    record_.state = on ? 1 : 0;
}

LRESULT EditWindow::original(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(originalProcedure_, window_, message, wParam, lParam);
}

void EditWindow::notifyChanged() {
    if (record_.subControl) return;
    owner_.notifyOwner(kEditChangedMessage, reinterpret_cast<WPARAM>(record_.name.c_str()),
                       reinterpret_cast<LPARAM>(readText().c_str()));
}

bool EditWindow::focusNextEdit() {
    const auto& edits = owner_.editWindows();
    for (size_t i = 0; i < edits.size(); ++i) {
        if (edits[i].get() != this) continue;
        const EditWindow* next = edits[(i + 1) % edits.size()].get();
        if (next == this) return false;
        SetFocus(next->window());
        return true;
    }
    return false;
}

LRESULT EditWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILLFOCUS) {
        owner_.notifyOwner(kEditLeftMessage, reinterpret_cast<WPARAM>(record_.name.c_str()),
                           reinterpret_cast<LPARAM>(readText().c_str()));
        return owner_.closed() ? 0 : original(message, wParam, lParam);
    }
    if (message == WM_KEYDOWN) {
        original(message, wParam, lParam);
        if (wParam == VK_DELETE) notifyChanged();
        return 0;
    }
    if (message == WM_CHAR) {
        if (wParam == kTab && focusNextEdit()) return 0;
        if (wParam < kFirstPrintable && wParam != kTab && wParam != kBackspace && wParam != kReturn)
            return original(message, wParam, lParam);
        const LRESULT result = original(message, wParam, lParam);
        notifyChanged();
        return result;
    }
    if (changesText(message)) {
        const LRESULT result = original(message, wParam, lParam);
        notifyChanged();
        return result;
    }
    if (message == WM_MOUSEMOVE) owner_.pointerOverEdit = true;
    return original(message, wParam, lParam);
}

LRESULT CALLBACK EditWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* edit = reinterpret_cast<EditWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!edit) return DefWindowProcA(window, message, wParam, lParam);
    // The owner may close the template inside a notice: its record, and
    // this edit with it, are freed only when the last handler has left.
    HandlerScope alive(edit->owner_);
    return edit->handle(message, wParam, lParam);
}

}  // namespace kz8::skinui
