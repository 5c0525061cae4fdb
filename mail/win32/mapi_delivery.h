// Handing a card to the user's mail program through Simple MAPI: whether
// it can be used, and the three senders.
#pragma once

#include <windows.h>

namespace kz8::mail {

int checkMapiInstalled();
// The mail program's compose window with the file attached; a picture
// that is not a JPEG goes as a JPEG copy.
int mapiSendFile(const char* path);
// One message to confirm in the mail program's window.
int mapiSendMessage(HWND window, const char* to, const char* text, const char* subject,
                    const char* path);
// The files as one documents list; pictures as JPEG, texts as they are.
int mapiSendManyFiles(char* paths[], int count);

}  // namespace kz8::mail
