#include "skinui/win32/template_window.h"

#include "skinui/win32/control_names.h"
#include "skinui/win32/file_cursor.h"
#include "skinui/win32/popup_list.h"
#include "skinui/win32/template_library.h"
#include "skinui/win32/template_loading.h"

namespace kz8::skinui {

TemplateWindow::TemplateWindow(std::unique_ptr<Template> record) : record_(std::move(record)) {
    TemplateLibrary::instance().objectCreated();
}

TemplateWindow::~TemplateWindow() { TemplateLibrary::instance().objectDestroyed(); }

LRESULT TemplateWindow::notifyOwner(UINT message, LPARAM lParam) {
    return notifyOwner(message, reinterpret_cast<WPARAM>(name()), lParam);
}

LRESULT TemplateWindow::notifyOwner(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(owner, message, wParam, lParam);
}

EditWindow* TemplateWindow::editWindowOf(HWND edit) const {
    for (const auto& each : edits_)
        if (each->window() == edit) return each.get();
    return nullptr;
}

EditWindow* TemplateWindow::editWindowOf(const std::string& name) const {
    for (const auto& each : edits_)
        if (sameControlName(each->record().name, name)) return each.get();
    return nullptr;
}

Dib* TemplateWindow::canvas() {
    if (!canvas_ && record_->background) {
        const DibView background = record_->background->view();
        canvas_ = Dib::create(int32_t(background.width()), int32_t(background.height()), 24);
    }
    return canvas_ ? &*canvas_ : nullptr;
}

void TemplateWindow::addPopupList(std::unique_ptr<PopupList> popup) {
    popups_.push_back(std::move(popup));
}

PopupList* TemplateWindow::openPopupDrawing(const ControlRecord& control) const {
    for (const auto& popup : popups_)
        if (popup->isOpen() && popup->draws(control)) return popup.get();
    return nullptr;
}

HFONT TemplateWindow::listFont(const ListBox& list) const {
    for (const auto& [listBox, font] : listFonts_)
        if (listBox == &list) return font.get();
    return nullptr;
}

void TemplateWindow::setListFont(const ListBox& list, const LOGFONTA& font) {
    Font made(CreateFontIndirectA(&font));
    for (auto& [listBox, kept] : listFonts_)
        if (listBox == &list) {
            kept = std::move(made);
            return;
        }
    listFonts_.emplace_back(&list, std::move(made));
}

std::string TemplateWindow::folder() const {
    return record_->path.empty() ? moduleFolder() : folderOfPath(record_->path);
}

HCURSOR TemplateWindow::templateCursor() const {
    return cursorHandleOf(record_->templateCursor.get());
}

HCURSOR TemplateWindow::buttonCursor() const { return cursorHandleOf(record_->buttonCursor.get()); }

void TemplateWindow::showTip(const Button& button, Point centre) {
    hideTip();
    tip_ = TooltipWindow::show(window, centre, button.tipContents);
    if (tip_) tipButton_ = &button;
}

void TemplateWindow::hideTip(const Button* button) {
    if (button && button != tipButton_) return;
    tip_.reset();
    tipButton_ = nullptr;
}

HandlerScope::HandlerScope(TemplateWindow& window) : window_(window) { window_.enterHandler(); }

HandlerScope::~HandlerScope() {
    if (window_.leaveHandler() && window_.closed())
        TemplateLibrary::instance().freeRetired(window_);
}

}  // namespace kz8::skinui
