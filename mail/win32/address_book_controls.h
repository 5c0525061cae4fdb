// The controls both presentations of the address book show: the list view
// of entries (name and e-mail, the entry's id as each row's data) and the
// To and Cc list boxes of picked recipients.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "mail/portable/address_list.h"

namespace kz8::mail {

// "Name" and "Address", 120 pixels each.
void addAddressColumns(HWND listView);
// Reloads the book from its file and lists it, the first row selected. The
// e-mail column is set as text: its parent may not pass notices on.
void refreshEntries(HWND listView, AddressList& book);
size_t selectedRowCount(HWND listView);
std::vector<uint32_t> selectedEntryIds(HWND listView);
// Add To and Add Cc: the e-mails of the selected rows, from the entries.
void addSelectedEmails(HWND listView, HWND listBox, const AddressList& book);

void fillListBox(HWND listBox, const std::vector<std::string>& items);
std::vector<std::string> listBoxItems(HWND listBox);
bool hasSelection(HWND listBox);
// Highest index first, so that the others keep theirs.
void removeSelectedItems(HWND listBox);

// A window's text in full, however long.
std::string windowText(HWND window);

}  // namespace kz8::mail
