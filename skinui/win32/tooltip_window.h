// The one tooltip a template can show: a "Tips" pop-up below a button's
// centre, owned by the template window so that it dies with it, shown
// without taking activation or the focus. It keeps its text, rectangle and
// font to repaint itself and deletes the font with the window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/handles.h"
#include "skinui/portable/window_rules.h"

namespace kz8::skinui {

class TooltipWindow {
public:
    // Nothing when the window or its font cannot be made.
    static std::unique_ptr<TooltipWindow> show(HWND templateWindow, Point buttonCentre,
                                               const std::string& text);
    ~TooltipWindow();
    TooltipWindow(const TooltipWindow&) = delete;
    TooltipWindow& operator=(const TooltipWindow&) = delete;

    HWND window() const { return window_; }
    HFONT font() const { return font_.get(); }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    TooltipWindow(Font font, std::string text);
    void drawText(HDC dc, UINT alignment) const;

    Font font_;
    std::string text_;  // lines joined with CR LF
    RECT textRect_{};
    HWND window_ = nullptr;
};

}  // namespace kz8::skinui
