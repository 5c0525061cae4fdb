// The skinned address book: the host's "AddressBook" template shown over
// the send-mail window by a borderless "ADDRESSBOOKCLASS" window that owns
// it, with a real list view and two list boxes put on the template, and
// the "NewAddress" and "EditAddress" templates over it for entries. One at
// a time in a process.
#pragma once

#include <windows.h>

namespace kz8::mail {

// Does nothing while a book is open. When the book's template cannot be
// shown, the send-mail window stays as it was.
void openSkinnedAddressBook(HWND sendMailWindow);
// The book's window while it is open.
HWND skinnedAddressBookWindow();

}  // namespace kz8::mail
