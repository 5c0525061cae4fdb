// New and edited entries, as both presentations take them from their
// fields: texts cut to their 259 characters, string 56 shown for an e-mail
// that does not look like one (the entry is kept all the same), the book
// saved. Entries are named by id, so an edit of an entry that is gone does
// nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "mail/portable/address_list.h"
#include "mail/win32/resource_module.h"

namespace kz8::mail {

// Nothing when either text is empty.
void addEntry(HWND owner, AddressList& book, ResourceModule& texts, const std::string& name,
              const std::string& emailAddress);
// An empty e-mail deletes the entry, and nothing is checked then.
void editEntry(HWND owner, AddressList& book, ResourceModule& texts, uint32_t id,
               const std::string& name, const std::string& emailAddress);

}  // namespace kz8::mail
