#include "skinui/win32/list_box_behaviour.h"

#include "common/win32/handles.h"
#include "skinui/win32/control_names.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/popup_list.h"
#include "skinui/win32/scroll_bar_behaviour.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui {

namespace {

constexpr int kListFontHeight = 16, kListFontWidth = 7, kListFontWeight = 700;
constexpr int kLineIndent = 2;

LOGFONTA defaultListFont() {
    LOGFONTA font{};
    font.lfHeight = kListFontHeight;
    font.lfWidth = kListFontWidth;
    font.lfWeight = kListFontWeight;
    font.lfQuality = PROOF_QUALITY;
    font.lfCharSet = TemplateLibrary::instance().charSet();
    return font;
}

int characterHeight(const LOGFONTA& logFont) {
    Font font(CreateFontIndirectA(&logFont));
    WindowDc screen(nullptr);
    SelectionGuard selected(screen.get(), font.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    return metrics.tmHeight;
}

ListGeometry geometryOf(const ListBox& list) {
    return ListGeometry{list.listRect.top, list.listRect.bottom, list.lineHeight};
}

ScrollBar* barOf(const TemplateWindow& window, const ListBox& list) {
    return listScrollBar(window, list);
}

void redrawListBox(const TemplateWindow& window, const ListBox& list) {
    if (list.subControl) {
        if (PopupList* popup = window.openPopupDrawing(list)) popup->redraw();
        return;
    }
    const Rect& r = list.listRect;
    const RECT area{r.left, r.top, r.right, r.bottom};
    InvalidateRect(window.window, &area, FALSE);
    UpdateWindow(window.window);
}

// The bar's range follows the items; it is switched off when all fit.
void fitScrollBar(TemplateWindow& window, ListBox& list) {
    ScrollBar* bar = barOf(window, list);
    if (!bar) return;
    const auto maximum = listScrollMaximum(list.items.count(), geometryOf(list).visibleLines());
    if (!maximum) {
        bar->state = 0;
        if (bar->thumb) bar->thumb->state = 0;
        return;
    }
    bar->state = 1;
    if (bar->thumb) bar->thumb->state = 1;
    setScrollRange(window, *bar, 0, *maximum);
}

void drawLine(HDC dc, const ListBox& list, size_t line, const std::string& text, uint32_t colour) {
    const Rect& r = list.listRect;
    const int top = r.top + int(line) * (list.lineHeight + 1);
    RECT area{r.left + kLineIndent, top, r.right, top + list.lineHeight};
    SetTextColor(dc, COLORREF(colour));
    DrawTextA(dc, text.c_str(), int(text.size()), &area, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

ClickKeys keysHeld() {
    if (GetKeyState(VK_CONTROL) < 0) return ClickKeys::Control;
    if (GetKeyState(VK_SHIFT) < 0) return ClickKeys::Shift;
    return ClickKeys::Plain;
}

}  // namespace

void layOutListBox(TemplateWindow& window, ListBox& list) {
    const LOGFONTA font = defaultListFont();
    window.setListFont(list, font);
    // A line height of 0 or less is the font's.
    if (list.lineHeight <= 0) list.lineHeight = characterHeight(font);
    fitScrollBar(window, list);
    if (list.subControl)
        if (auto popup = PopupList::create(window, list)) window.addPopupList(std::move(popup));
}

ScrollBar* listScrollBar(const TemplateWindow& window, const ListBox& list) {
    return findControlNamed(window.record().scrollBars, list.scrollVertical);
}

void drawListPicture(PictureTarget& target, const ListBox& list) {
    if (list.hidden || list.subControl || !list.image) return;
    target.draw(*list.image, list.listRect.left, list.listRect.top);
}

void drawListLines(HDC dc, const TemplateWindow& window, const ListBox& list) {
    const ListGeometry lines = geometryOf(list);
    SelectionGuard selected(dc, window.listFont(list));
    SetBkMode(dc, TRANSPARENT);
    const size_t top = size_t(std::max(list.topLine, 0));
    for (size_t line = 0; line < lines.visibleLines() && top + line < list.items.count(); ++line) {
        const ListItem& item = list.items.at(top + line);
        drawLine(dc, list, line, item.text, item.selected ? list.selectColour : list.normalColour);
    }
    if (list.rollLine >= 0 && top + size_t(list.rollLine) < list.items.count())
        drawLine(dc, list, size_t(list.rollLine), list.items.at(top + size_t(list.rollLine)).text,
                 list.rollColour);
}

void moveOverListBox(TemplateWindow& window, ListBox& list, Point pointer) {
    if (list.state == 0 || list.hidden || list.lineHeight <= 0) return;
    int32_t roll = -1;
    if (contains(list.listRect, pointer)) {
        const size_t top = size_t(std::max(list.topLine, 0));
        if (const auto index = geometryOf(list).itemAt(pointer.y, top, list.items.count()))
            roll = int32_t(*index - top);
    }
    if (roll == list.rollLine) return;
    list.rollLine = roll;
    redrawListBox(window, list);
}

void releaseOnListBox(TemplateWindow& window, ListBox& list, Point pointer) {
    if (list.state == 0 || list.hidden || !contains(list.listRect, pointer)) return;
    const auto index =
        geometryOf(list).itemAt(pointer.y, size_t(std::max(list.topLine, 0)), list.items.count());
    if (!index) return;
    list.items.click(*index, keysHeld(), list.multiSelect != 0, false);
    redrawListBox(window, list);
    window.notifyOwner(kListClickedMessage, reinterpret_cast<WPARAM>(list.name.c_str()), 0);
}

void followScrollBar(TemplateWindow& window, const ScrollBar& bar) {
    for (auto& list : window.record().listBoxes) {
        if (!sameControlName(list->scrollVertical, bar.name)) continue;
        list->topLine = bar.position;
        redrawListBox(window, *list);
    }
}

void listItemsChanged(TemplateWindow& window, ListBox& list) {
    const size_t visible = geometryOf(list).visibleLines();
    if (list.items.count() <= visible) list.topLine = 0;
    fitScrollBar(window, list);
    redrawListBox(window, list);
}

namespace {

constexpr size_t kMaxItemText = 255;

}  // namespace

bool addListItem(TemplateWindow& window, ListBox& list, const std::string& text) {
    if (text.size() > kMaxItemText) return false;
    list.items.add(text);
    listItemsChanged(window, list);
    return true;
}

bool insertListItem(TemplateWindow& window, ListBox& list, int64_t position,
                    const std::string& text) {
    if (text.size() > kMaxItemText) return false;
    list.items.insert(position, text);
    listItemsChanged(window, list);
    return true;
}

bool deleteListItem(TemplateWindow& window, ListBox& list, const std::string& text) {
    if (!list.items.removeText(text)) return false;
    listItemsChanged(window, list);
    return true;
}

bool removeListItem(TemplateWindow& window, ListBox& list, size_t index) {
    if (!list.items.removeAt(index)) return false;
    listItemsChanged(window, list);
    return true;
}

void removeAllListItems(TemplateWindow& window, ListBox& list) {
    list.items.removeAll();
    listItemsChanged(window, list);
}

void sortListItems(TemplateWindow& window, ListBox& list, bool ascending) {
    list.items.sort(ascending);
    if (list.items.count() >= 2) redrawListBox(window, list);
}

void setComboText(TemplateWindow& window, const ComboBox& combo, const std::string& text) {
    if (EditWindow* edit = window.editWindowOf(combo.singleLineEdit)) edit->setText(text);
}

std::string comboText(TemplateWindow& window, const ComboBox& combo) {
    EditWindow* edit = window.editWindowOf(combo.singleLineEdit);
    return edit ? edit->readText() : std::string();
}

bool showListItem(TemplateWindow& window, ListBox& list, const std::string& text) {
    const auto index = list.items.indexOf(text);
    ScrollBar* bar = barOf(window, list);
    if (!index || !bar) return false;
    const auto top =
        topLineShowing(*index, size_t(std::max(list.topLine, 0)), geometryOf(list).visibleLines());
    if (top) setScrollPosition(window, *bar, int32_t(*top), true, true);
    return true;
}

bool setListFont(TemplateWindow& window, ListBox& list, const LOGFONTA& font) {
    if (characterHeight(font) > list.lineHeight) return false;
    window.setListFont(list, font);
    redrawListBox(window, list);
    return true;
}

}  // namespace kz8::skinui
