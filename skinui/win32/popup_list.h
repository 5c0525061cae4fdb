// The popup list of a combo box: a hidden "VexilListBox" window at the
// list's BACKRECT that the combo's toggle button opens. It draws the list's
// background picture, lines, scroll bar and step buttons with its origin at
// BACKRECT's corner and routes the mouse to them in template coordinates.
// A line click chooses for the combo; a click elsewhere, or the loss of the
// focus, closes it and puts the bar back where it was.
#pragma once

#include <windows.h>

#include <memory>

#include "skinui/portable/template_records.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

class PopupList {
public:
    // Nothing when the window cannot be made.
    static std::unique_ptr<PopupList> create(TemplateWindow& owner, ListBox& list);
    ~PopupList();
    PopupList(const PopupList&) = delete;
    PopupList& operator=(const PopupList&) = delete;

    HWND window() const { return window_; }
    const ListBox& list() const { return list_; }
    bool isOpen() const { return IsWindowVisible(window_) != FALSE; }
    // Whether this control is the list, its bar or one of the bar's buttons.
    bool draws(const ControlRecord& control) const;

    void open();
    // Redraws the popup now, when it is open.
    void redraw() const;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    PopupList(TemplateWindow& owner, ListBox& list);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    Point toTemplate(LPARAM lParam) const;
    void onMove(Point at, bool leftHeld);
    void onPress(Point at);
    void onRelease(Point at);
    bool onBarOrItsButtons(Point at) const;
    void choose(size_t index);
    // Hidden, the capture let go, the focus given back; the bar back where it
    // was when it opened unless a line was chosen.
    void close(bool restoreBar);

    TemplateWindow& owner_;
    ListBox& list_;
    HWND window_ = nullptr;
    HWND focusBefore_ = nullptr;
    bool pressOnBar_ = false;
    bool closing_ = false;
};

// Whether a scroll bar or button is a part of a popup list, drawn and
// driven by the popup and not by the template.
bool belongsToPopupList(const TemplateWindow& window, const ControlRecord& control);

// A toggle button's click: the popup of the combo that names it opens.
bool openComboOf(TemplateWindow& window, const Button& toggle);

}  // namespace kz8::skinui
