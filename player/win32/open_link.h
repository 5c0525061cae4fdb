// Opening the card's web link: the shell first, the browser registered for
// ".htm" pages second.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::player {

// The unnamed value of HKEY_CLASSES_ROOT\keyPath (at most 259 characters).
// Returns the result of opening the key (0 = success); the text is emptied
// first, so a value that cannot be read leaves it empty.
LONG ReadClassesRootValue(const char* keyPath, std::string* value);

// The last result of the shell or of starting the browser; above 32 is success.
INT_PTR OpenLink(const char* target, int showCommand);

// How the link starts a program and asks the shell; tests replace them
// (nullptr restores WinExec and ShellExecuteA).
using ProgramStarter = UINT(WINAPI*)(LPCSTR, UINT);
void setProgramStarter(ProgramStarter start);
using ShellOpener = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void setShellOpener(ShellOpener open);

}  // namespace kz8::player
