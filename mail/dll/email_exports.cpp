// Email.dll's exports: thin functions over the send-mail session and the
// address book. The .def files give them the names an MSVC-built host
// links to.
#include <windows.h>

#include "mail/win32/address_book_dialog.h"
#include "mail/win32/address_book_window.h"
#include "mail/win32/aol_delivery.h"
#include "mail/win32/mapi_delivery.h"
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

void __cdecl setSendToAddr(char* address) { kz8::mail::setAolRecipient(address); }

void __cdecl setSubject(char* subject) { kz8::mail::setAolSubject(subject); }

int __cdecl checkAol() { return kz8::mail::checkAol(); }

// The third text is the host's and has no use here.
int __cdecl runAolExe(HWND window, char* attachmentPath, char*) {
    return kz8::mail::runAolExe(window, attachmentPath);
}

void __cdecl onInitAol() { kz8::mail::onInitAol(); }

void __cdecl timeCheckAol(unsigned int timer) { kz8::mail::timeCheckAol(timer); }

int __cdecl checkMapiInstalled() { return kz8::mail::checkMapiInstalled(); }

int __cdecl doMapiSendFile(char* path) { return kz8::mail::mapiSendFile(path); }

int __cdecl doMapiSendMessage(HWND window, char* to, char* text, char* subject, char* path) {
    return kz8::mail::mapiSendMessage(window, to, text, subject, path);
}

int __cdecl doMapiSendManyFiles(char* paths[], int count) {
    return kz8::mail::mapiSendManyFiles(paths, count);
}

}  // extern "C"
