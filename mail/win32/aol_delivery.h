// Handing a card to the AOL client: whether it is installed, starting it
// hidden with the card's path for the automation, the recipient and
// subject it fills in, and the host's timer ticks that drive it. One
// automation per process, on the host's window thread.
#pragma once

#include <windows.h>

namespace kz8::mail {

int checkAol();
// 1 when started, 0 when AOL is missing or not wanted, -2 when it cannot
// be started.
int runAolExe(HWND owner, const char* attachmentPath);
void onInitAol();
void setAolRecipient(const char* address);
void setAolSubject(const char* subject);
void timeCheckAol(unsigned int timer);

}  // namespace kz8::mail
