#include "mail/win32/address_book_controls.h"

#include <commctrl.h>

namespace kz8::mail {

namespace {

constexpr int kColumnWidth = 120;

void addColumn(HWND listView, int index, const char* caption) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption);
    column.cx = kColumnWidth;
    column.iSubItem = index;
    SendMessageA(listView, LVM_INSERTCOLUMNA, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

void addRow(HWND listView, int index, const AddressEntry& entry) {
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = index;
    row.pszText = const_cast<char*>(entry.name.c_str());
    row.lParam = LPARAM(entry.id);
    const int at = int(SendMessageA(listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
    LVITEMA email{};
    email.iSubItem = 1;
    email.pszText = const_cast<char*>(entry.emailAddress.c_str());
    SendMessageA(listView, LVM_SETITEMTEXTA, WPARAM(at), reinterpret_cast<LPARAM>(&email));
}

uint32_t entryIdOfRow(HWND listView, int row) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return uint32_t(item.lParam);
}

}  // namespace

void addAddressColumns(HWND listView) {
    addColumn(listView, 0, "Name");
    addColumn(listView, 1, "Address");
}

void refreshEntries(HWND listView, AddressList& book) {
    SendMessageA(listView, LVM_DELETEALLITEMS, 0, 0);
    book.Load();
    int index = 0;
    for (const AddressEntry& entry : book.entries()) addRow(listView, index++, entry);
    if (index == 0) return;
    LVITEMA first{};
    first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
}

size_t selectedRowCount(HWND listView) {
    return size_t(SendMessageA(listView, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<uint32_t> selectedEntryIds(HWND listView) {
    std::vector<uint32_t> ids;
    for (int row = -1;
         (row = int(SendMessageA(listView, LVM_GETNEXTITEM, WPARAM(row), LVNI_SELECTED))) != -1;)
        ids.push_back(entryIdOfRow(listView, row));
    return ids;
}

void addSelectedEmails(HWND listView, HWND listBox, const AddressList& book) {
    for (uint32_t id : selectedEntryIds(listView))
        if (const AddressEntry* entry = book.find(id))
            SendMessageA(listBox, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(entry->emailAddress.c_str()));
}

void fillListBox(HWND listBox, const std::vector<std::string>& items) {
    for (const std::string& item : items)
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::vector<std::string> listBoxItems(HWND listBox) {
    std::vector<std::string> items;
    const int count = int(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string item(size_t(SendMessageA(listBox, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, '\0');
        SendMessageA(listBox, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item.c_str());
    }
    return items;
}

bool hasSelection(HWND listBox) { return SendMessageA(listBox, LB_GETSELCOUNT, 0, 0) > 0; }

void removeSelectedItems(HWND listBox) {
    for (int i = int(SendMessageA(listBox, LB_GETCOUNT, 0, 0)); i-- > 0;)
        if (SendMessageA(listBox, LB_GETSEL, WPARAM(i), 0) > 0)
            SendMessageA(listBox, LB_DELETESTRING, WPARAM(i), 0);
}

std::string windowText(HWND window) {
    std::string text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
    GetWindowTextA(window, text.data(), int(text.size()));
    return text.c_str();
}

}  // namespace kz8::mail
