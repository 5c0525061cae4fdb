// Email.dll as its host sees it: sending a card through the library's own
// SMTP client from the host's skinned "SendMail" window, the address book,
// and delivery through MAPI or the AOL client. Every function is __cdecl
// and exported under the name MSVC gives its declaration here; a host
// built with another compiler binds them with GetProcAddress by those names.
//
// Calling order for a send: OnInitDialog once the "SendMail" template
// window exists; OnSetSendServer, OnSetSendFrom and OnSetAttachFile at any
// time before OnOK; OnOK on the Send command (it returns at once and the
// send goes on in the background, reporting in the window's status line
// and progress bar); OnCancel when the window closes or the user cancels.
// OnAddressBook and OnAddAddress may be called while the window is open.
#pragma once

// A host that brings its own declarations of these types (the export check
// does) defines EMAIL_HOST_TYPES_DECLARED.
#ifndef EMAIL_HOST_TYPES_DECLARED
#include <windows.h>
#endif

void __cdecl ShowSendMailDlg(HWND window);
// The status line (100 px) and, 5 px after it, the progress bar, in area.
void __cdecl OnInitDialog(RECT& area, HWND window);
// An empty or null server keeps the one given before.
void __cdecl OnSetSendServer(char* server);
void __cdecl OnSetSendFrom(char* sender);
void __cdecl OnSetAttachFile(char* path);
void __cdecl OnOK(void);
void __cdecl OnCancel(void);
void __cdecl OnAddressBook(void);
void __cdecl OnAddAddress(void);

// AOL delivery.
void __cdecl SetSendToAddr(char* address);
void __cdecl SetSubject(char* subject);
int __cdecl CheckAOL(void);
int __cdecl RunAOLEXE(HWND window, char* first, char* second);
void __cdecl OnInitAol(void);
void __cdecl TimeCheckAOL(unsigned int timer);

// MAPI delivery.
int __cdecl CheckMAPIInstalled(void);
int __cdecl DoMapiSend(char* path);
int __cdecl DoMapiSend(HWND window, char* to, char* text, char* subject, char* path);
int __cdecl DoMapiSendManyFiles(char* paths[], int count);
