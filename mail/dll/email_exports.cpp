// Email.dll's exports: thin functions over the send-mail session and the
// address book. The .def files give them the names an MSVC-built host
// links to.
#include <windows.h>

#include "mail/win32/address_book_dialog.h"
#include "mail/win32/address_book_window.h"
#include "mail/win32/send_mail_session.h"

using kz8::mail::SendMailSession;

extern "C" {

// The host shows its window itself; kept for hosts that call it.
void __cdecl showSendMailDlg(HWND) {}

void __cdecl onInitDialog(RECT& area, HWND window) {
    SendMailSession::instance().initDialog(area, window);
}

void __cdecl onSetSendServer(char* server) { SendMailSession::instance().setServer(server); }

void __cdecl onSetSendFrom(char* sender) { SendMailSession::instance().setSender(sender); }

void __cdecl onSetAttachFile(char* path) { SendMailSession::instance().setAttachment(path); }

void __cdecl onOK() { SendMailSession::instance().send(); }

void __cdecl onCancel() { SendMailSession::instance().cancel(); }

void __cdecl onAddressBook() {
    kz8::mail::openSkinnedAddressBook(SendMailSession::instance().window());
}

void __cdecl onAddAddress() {
    kz8::mail::openAddressBookDialog(SendMailSession::instance().window());
}

}  // extern "C"
