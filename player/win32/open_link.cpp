#include "player/win32/open_link.h"

#include <shellapi.h>

#include "common/win32/registry_key.h"
#include "player/portable/link_command.h"

namespace kz8::player {
namespace {
constexpr DWORD kValueBufferSize = 260;
constexpr INT_PTR kShellSuccessAbove = 32;
constexpr char kPageExtension[] = ".htm";
constexpr char kOpenCommandKey[] = "\\shell\\open\\command";

ProgramStarter gStart = nullptr;
ShellOpener gShell = nullptr;

}  // namespace

void setProgramStarter(ProgramStarter start) { gStart = start; }
void setShellOpener(ShellOpener open) { gShell = open; }

LONG ReadClassesRootValue(const char* keyPath, std::string* value) {
    if (value) value->clear();
    RegistryKey key;
    LONG opened = RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath, 0, KEY_QUERY_VALUE, key.put());
    if (opened != ERROR_SUCCESS) return opened;
    char buffer[kValueBufferSize] = {};
    DWORD size = sizeof buffer - 1;  // room for a terminator the value may lack
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && value)
        *value = std::string(buffer, strnlen(buffer, size));
    return opened;
}

INT_PTR OpenLink(const char* target, int showCommand) {
    INT_PTR shell = reinterpret_cast<INT_PTR>(
        (gShell ? gShell : ShellExecuteA)(nullptr, "open", target, nullptr, nullptr, showCommand));
    if (shell > kShellSuccessAbove) return shell;

    std::string pageClass, command;
    if (ReadClassesRootValue(kPageExtension, &pageClass) != ERROR_SUCCESS) return shell;
    if (ReadClassesRootValue((pageClass + kOpenCommandKey).c_str(), &command) != ERROR_SUCCESS)
        return shell;
    // A key without a readable command would otherwise run the address itself.
    std::string line = handlerCommandLine(command, target ? target : "");
    if (line.empty()) return shell;
    return (gStart ? gStart : WinExec)(line.c_str(), UINT(showCommand));
}

}  // namespace kz8::player
