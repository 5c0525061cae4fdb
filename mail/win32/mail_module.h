// The module that holds the mail library's code (Email.dll, or a test
// program that links the library): where its dialogs' resources and the
// host's "ui" folder are found.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::mail {

HINSTANCE mailModule();
// Without a trailing separator.
std::string mailModuleFolder();

}  // namespace kz8::mail
