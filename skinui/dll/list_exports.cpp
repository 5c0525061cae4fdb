// The exports that drive the list boxes of the current template: items,
// their selection, sorting, scrolling to an item and the font.
#include "skinui/include/vexil2.h"

#include "skinui/dll/export_support.h"
#include "skinui/win32/list_box_behaviour.h"

using namespace kz8::skinui;

namespace {

CurrentControl<ListBox> currentList(const char* name) {
    return currentControl(&Template::listBoxes, name);
}

bool holdsIndex(const ListBox& list, int index) {
    return index >= 0 && size_t(index) < list.items.count();
}

// The item's index with its text copied, or -1.
int selectedItem(const ListBox& list, std::optional<size_t> index, char* text) {
    if (!index) return -1;
    copyText(list.items.at(*index).text, text, vexil2::kItemTextBufferBytes);
    return int(*index);
}

}  // namespace

extern "C" {

int __cdecl Vexil_List_AddItem(const char* name, const char* text) {
    auto list = currentList(name);
    return list && text && addListItem(*list.window, *list.control, text) ? 1 : 0;
}

int __cdecl Vexil_List_InsertItem(const char* name, const char* text, int position) {
    auto list = currentList(name);
    return list && text && insertListItem(*list.window, *list.control, position, text) ? 1 : 0;
}

// Exactly that text, case and all.
int __cdecl Vexil_List_DeleteString(const char* name, const char* text) {
    auto list = currentList(name);
    return list && text && deleteListItem(*list.window, *list.control, text) ? 1 : 0;
}

int __cdecl Vexil_List_RemoveItem(const char* name, int index) {
    auto list = currentList(name);
    return list && holdsIndex(*list.control, index) &&
                   removeListItem(*list.window, *list.control, size_t(index))
               ? 1
               : 0;
}

int __cdecl Vexil_List_RemoveAllItems(const char* name) {
    auto list = currentList(name);
    if (!list) return 0;
    removeAllListItems(*list.window, *list.control);
    return 1;
}

int __cdecl Vexil_List_GetItemCount(const char* name) {
    auto list = currentList(name);
    return list ? int(list->items.count()) : -1;
}

const char* __cdecl Vexil_List_GetItemData(const char* name, int index) {
    auto list = currentList(name);
    if (!list || !holdsIndex(*list.control, index)) return nullptr;
    return list->items.at(size_t(index)).text.c_str();
}

// Any case.
int __cdecl Vexil_List_GetItemIndex(const char* name, const char* text) {
    auto list = currentList(name);
    if (!list || !text) return -1;
    const auto index = list->items.indexOf(text);
    return index ? int(*index) : -1;
}

int __cdecl Vexil_List_IsItemSelected(const char* name, int index) {
    auto list = currentList(name);
    if (!list || !holdsIndex(*list.control, index)) return 0;
    return list->items.at(size_t(index)).selected ? 1 : 0;
}

// -1 also without a current template: 0 is an index, and a host's loop
// until -1 would never end.
int __cdecl Vexil_List_GetFirstSelectItem(const char* name, char* text) {
    auto list = currentList(name);
    if (!list || !text) return -1;
    return selectedItem(*list.control, list->items.firstSelected(), text);
}

int __cdecl Vexil_List_GetNextSelectItem(const char* name, int after, char* text) {
    auto list = currentList(name);
    if (!list || !text) return -1;
    const ListModel& items = list->items;
    return selectedItem(
        *list.control, after < 0 ? items.firstSelected() : items.nextSelected(size_t(after)), text);
}

int __cdecl Vexil_List_SortItems(const char* name, int ascending) {
    auto list = currentList(name);
    if (!list) return 0;
    sortListItems(*list.window, *list.control, ascending != 0);
    return 1;
}

int __cdecl Vexil_ListBox_SetFont(const char* name, LOGFONTA font) {
    auto list = currentList(name);
    return list && setListFont(*list.window, *list.control, font) ? 1 : 0;
}

}  // extern "C"

int __cdecl Vexil_List_SetItemShow(char* name, char* itemText) {
    auto list = currentList(name);
    if (list && itemText) showListItem(*list.window, *list.control, itemText);
    return 0;
}

// Every list of that name, since names are unique only by convention.
int __cdecl Vexil_List_SetSelect(char* name, int index, int select) {
    TemplateWindow* window = currentTemplate();
    if (!window || !name || index < 0) return 0;
    for (auto& list : window->record().listBoxes)
        if (sameControlName(list->name, name)) list->items.setSelected(size_t(index), select != 0);
    return 0;
}
