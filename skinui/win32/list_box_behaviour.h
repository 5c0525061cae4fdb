// What a template's list boxes do, apart from the popup lists of combo
// boxes: their layout with font and scroll bar, drawing the lines in their
// colours with the roll line, the roll line under the pointer, clicks with
// Ctrl and Shift, and the item operations of the interface, each followed
// by the bar's range and a redraw.
#pragma once

#include <windows.h>

#include <string>

#include "skinui/portable/template_records.h"
#include "skinui/win32/picture_target.h"
#include "skinui/win32/template_window.h"

namespace kz8::skinui {

// The creation step: font, line height, visible lines, the bar's range, and
// for a combo box's list its hidden popup window.
void layOutListBox(TemplateWindow& window, ListBox& list);

// IMAGEFILE at LISTRECT, for a list the template itself shows.
void drawListPicture(PictureTarget& target, const ListBox& list);
// Only the lines and the roll line, as the popup window draws them.
void drawListLines(HDC dc, const TemplateWindow& window, const ListBox& list);
// The bar named by ASSOCIATE_SCROLL_VERTICAL, if there is one.
ScrollBar* listScrollBar(const TemplateWindow& window, const ListBox& list);
void moveOverListBox(TemplateWindow& window, ListBox& list, Point pointer);
void releaseOnListBox(TemplateWindow& window, ListBox& list, Point pointer);

// The list whose vertical bar this is scrolls to the bar's position.
void followScrollBar(TemplateWindow& window, const ScrollBar& bar);

// After items were added or removed: the bar's range, the top line back to
// 0 when everything fits again, a redraw.
void listItemsChanged(TemplateWindow& window, ListBox& list);
// The item operations of the interface, each followed by the bar's range
// and a redraw. Texts over 255 characters are refused: cut, an item could
// not be found or deleted by its text.
bool addListItem(TemplateWindow& window, ListBox& list, const std::string& text);
bool insertListItem(TemplateWindow& window, ListBox& list, int64_t position,
                    const std::string& text);
bool deleteListItem(TemplateWindow& window, ListBox& list, const std::string& text);
bool removeListItem(TemplateWindow& window, ListBox& list, size_t index);
void removeAllListItems(TemplateWindow& window, ListBox& list);
// Redrawn only when there are two items or more.
void sortListItems(TemplateWindow& window, ListBox& list, bool ascending);

// A combo box's text is its edit box's; set without notices.
void setComboText(TemplateWindow& window, const ComboBox& combo, const std::string& text);
std::string comboText(TemplateWindow& window, const ComboBox& combo);

// Scrolls so that the item of that text is shown; fails without the text
// or a scroll bar.
bool showListItem(TemplateWindow& window, ListBox& list, const std::string& text);
// Accepted only when the font's characters are not higher than the lines.
bool setListFont(TemplateWindow& window, ListBox& list, const LOGFONTA& font);

}  // namespace kz8::skinui
