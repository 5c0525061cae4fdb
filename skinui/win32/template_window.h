// One template on screen: the record its file built and what its window
// adds to it. The owner may close the template inside any notification, so
// whoever sends one asks closed() afterwards and stops at once; the library
// frees a closed template only when none of its handlers is still running.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "skinui/portable/template_records.h"
#include "skinui/portable/window_rules.h"
#include "skinui/win32/edit_window.h"
#include "skinui/win32/tooltip_window.h"

namespace kz8::skinui {

class PopupList;

constexpr Point kNoPress{-1, -1};

class TemplateWindow {
public:
    explicit TemplateWindow(std::unique_ptr<Template> record);
    ~TemplateWindow();
    TemplateWindow(const TemplateWindow&) = delete;
    TemplateWindow& operator=(const TemplateWindow&) = delete;

    Template& record() { return *record_; }
    const Template& record() const { return *record_; }
    const char* name() const { return record_->name.c_str(); }

    // Sends to the owner with the template's name as wParam. The caller holds
    // a HandlerScope, so that a close inside the call frees nothing yet.
    LRESULT notifyOwner(UINT message, LPARAM lParam);
    LRESULT notifyOwner(UINT message, WPARAM wParam, LPARAM lParam);

    bool closed() const { return closed_; }
    void markClosed() { closed_ = true; }

    // Handlers in progress: the template is freed when the last one ends.
    void enterHandler() { ++handlers_; }
    bool leaveHandler() { return --handlers_ == 0; }

    HCURSOR templateCursor() const;
    HCURSOR buttonCursor() const;

    void showTip(const Button& button, Point centre);
    void hideTip(const Button* button = nullptr);  // null: whichever is shown
    bool showsTip() const { return tip_ != nullptr; }
    const TooltipWindow* tip() const { return tip_.get(); }

    // The folder of the template's file (the module's for a text template),
    // with its separator: where its sounds are looked for.
    std::string folder() const;

    // The edit boxes' windows, in the order of the edit boxes.
    const std::vector<std::unique_ptr<EditWindow>>& editWindows() const { return edits_; }
    void addEditWindow(std::unique_ptr<EditWindow> edit) { edits_.push_back(std::move(edit)); }
    EditWindow* editWindowOf(HWND window) const;
    EditWindow* editWindowOf(const std::string& name) const;

    // The popup windows of the combo boxes' lists.
    const std::vector<std::unique_ptr<PopupList>>& popupLists() const { return popups_; }
    void addPopupList(std::unique_ptr<PopupList> popup);
    // The open popup that draws this control, if any.
    PopupList* openPopupDrawing(const ControlRecord& control) const;

    // The 24-bit picture a paint puts the template together in, of the
    // background's size; made at the first paint, none when it cannot be.
    Dib* canvas();

    // The font each list box draws with; none until its layout.
    HFONT listFont(const ListBox& list) const;
    void setListFont(const ListBox& list, const LOGFONTA& font);

    HWND window = nullptr;
    HWND owner = nullptr;
    DWORD style = 0;  // as created; a LINK opens the next template with it
    Point position;   // in the parent's client coordinates, or the screen's
    bool buttonHeld = false;
    bool thumbCapture = false;
    Point dragAnchor;
    HWND focusBeforePress = nullptr;
    Point pressPoint = kNoPress;
    bool pointerOverEdit = false;

private:
    std::unique_ptr<Template> record_;
    // After the record: the edit windows go first, and they refer to it.
    std::vector<std::unique_ptr<EditWindow>> edits_;
    std::vector<std::pair<const ListBox*, Font>> listFonts_;
    std::vector<std::unique_ptr<PopupList>> popups_;
    std::optional<Dib> canvas_;
    std::unique_ptr<TooltipWindow> tip_;
    const Button* tipButton_ = nullptr;
    bool closed_ = false;
    int handlers_ = 0;
};

// Keeps a template alive across one handler; the last one to leave a
// closed template frees it.
class HandlerScope {
public:
    explicit HandlerScope(TemplateWindow& window);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    TemplateWindow& window_;
};

}  // namespace kz8::skinui
