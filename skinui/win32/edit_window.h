// A template's edit box as the real "edit" child window it is: created in
// the creation step, subclassed so that edits, Delete and the loss of the
// focus reach the owner and Tab goes round the template's edit boxes, with
// its colours, font and style. It unhooks itself before it is destroyed, so
// a focus change during teardown tells nobody anything.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/handles.h"
#include "skinui/portable/template_records.h"

namespace kz8::skinui {

class TemplateWindow;

class EditWindow {
public:
    // Nothing when the window cannot be made.
    static std::unique_ptr<EditWindow> create(TemplateWindow& owner, EditBox& record);
    ~EditWindow();
    EditWindow(const EditWindow&) = delete;
    EditWindow& operator=(const EditWindow&) = delete;

    HWND window() const { return window_; }
    const EditBox& record() const { return record_; }

    // The WM_CTLCOLOREDIT/STATIC answer: its colours set on dc, its brush.
    HBRUSH colour(HDC dc) const;
    // The text as the window holds it now, kept for the notices.
    const std::string& readText();
    void setText(const std::string& text);
    // Fails when the window does not take the style.
    bool setStyle(uint32_t style);
    // Fails when no font can be made of it.
    bool setFont(const LOGFONTA& font);
    void enable(bool on);

private:
    EditWindow(TemplateWindow& owner, EditBox& record);
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT original(UINT message, WPARAM wParam, LPARAM lParam);
    void notifyChanged();
    bool focusNextEdit();

    TemplateWindow& owner_;
    EditBox& record_;
    HWND window_ = nullptr;
    WNDPROC originalProcedure_ = nullptr;
    Brush brush_;
    Font font_;
    LOGFONTA logFont_{};
    std::string text_;
};

}  // namespace kz8::skinui
