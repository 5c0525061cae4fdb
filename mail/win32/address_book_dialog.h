// The plain address book: the "Address Books" dialog of this library's own
// resources, with the same book, rules and buttons as the skinned one, and
// its "New Address" dialog for entries.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::mail {

// The recipients picked, when the dialog ends with OK.
struct PickedRecipients {
    std::string to, cc, bcc;
};

// Runs the dialog over owner with To and Cc as they are; true on OK.
bool runAddressBookDialog(HWND owner, const std::string& to, const std::string& cc,
                          PickedRecipients& picked);
// The send-mail template's To and Cc through the dialog and back on OK.
void openAddressBookDialog(HWND sendMailWindow);

}  // namespace kz8::mail
